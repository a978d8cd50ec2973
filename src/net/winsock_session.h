// Holds the socket library for as long as the object lives.
#pragma once

class WinsockSession {
public:
    WinsockSession() { start(); }
    ~WinsockSession() { cleanup(); }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    // Asks for version 1.1; a failure is shown and ends the program before its first frame.
    void start();
    void cleanup();
};
