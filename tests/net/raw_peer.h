// A peer that speaks to the system's sockets directly, outside the game's wrapper: what it finds is
// what another program on the network would.
#pragma once

namespace raw_peer {

// Connects to 127.0.0.1 at the port, blocking, then hangs up: true when someone was listening there.
bool connects(int port);
// A socket listening on 127.0.0.1 at the port, or -1; closed with hangUp.
int listening(int port);
void hangUp(int socket);

} // namespace raw_peer
