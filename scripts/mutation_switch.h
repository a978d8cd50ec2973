// The switches that scripts/mutation-sweep.py --schema writes into a copy of the game's code: every
// mutant of the sweep is compiled in at once, and BRANNOC_MUTANT (a mutant's number) turns on the
// one that a test run is to see. With BRANNOC_MUTANT_TRACE naming a file, each mutant's place that
// a run reaches is written there, once a process, as it is reached: which tests can see which mutant.
// Force-included in every file of the copy's build; nothing of the game includes it.
#pragma once
// CMake's first look at the compiler builds without the game's C++20, and needs none of this.
#if __cplusplus >= 202002L

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace brannoc_mutant {

inline int active() {
    static const int number = [] {
        const char* text = std::getenv("BRANNOC_MUTANT");
        return text != nullptr ? std::atoi(text) : 0;
    }();
    return number;
}

constexpr int kMostMutants = 1 << 14;

inline void reached(int first) {
    static std::atomic<bool> seen[kMostMutants];
    static std::FILE* trace = [] {
        const char* path = std::getenv("BRANNOC_MUTANT_TRACE");
        return path != nullptr ? std::fopen(path, "a") : nullptr;
    }();
    if (trace == nullptr || first <= 0 || first >= kMostMutants || seen[first].exchange(true)) return;
    std::fprintf(trace, "%d\n", first);
    std::fflush(trace); // a test that ends its process abruptly still says what it reached
}

// Whether mutant `number` is on, in a table the sweep's copy reads at run time rather than as a
// constant: a call the compiler cannot evaluate, so the table is filled as the program starts.
inline bool onRun(int number) {
    reached(number);
    return active() == number;
}

// The same anywhere else. Off wherever the compiler evaluates the code itself (a constant, an
// array's size): there no run can turn it on, and the trace never sees it.
constexpr bool on(int number) {
    if (__builtin_is_constant_evaluated()) return false;
    return onRun(number);
}

// A comparison with its mutants: `a < b` is written `a < Site(n, Op::lt, Op::le, Op::ge, 2) < b`,
// two comparisons of the original's precedence, which group as it did. Mutant n + i turns the
// operator into the i-th alternative.
enum class Op { lt, le, gt, ge, eq, ne };

struct Site {
    // In parentheses, not braces: a comparison inside a macro's arguments keeps its commas.
    constexpr Site(int first, Op original, Op one, Op two, int count)
        : first(first), original(original), alternatives{one, two}, count(count) {}
    int first;
    Op original;
    Op alternatives[2];
    int count;
};

template <class A>
struct Left {
    const A& value;
    Site site;
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wbool-compare"
#pragma GCC diagnostic ignored "-Wfloat-equal"
// An == or != of a pointer and nullptr has no ordered alternatives, and is never given one.
template <class A, class B>
constexpr bool compare(Op op, const A& a, const B& b) {
    switch (op) {
    case Op::lt:
        if constexpr (requires { a < b; }) return a < b;
        return false;
    case Op::le:
        if constexpr (requires { a <= b; }) return a <= b;
        return false;
    case Op::gt:
        if constexpr (requires { a > b; }) return a > b;
        return false;
    case Op::ge:
        if constexpr (requires { a >= b; }) return a >= b;
        return false;
    case Op::eq:
        return a == b;
    case Op::ne:
        return a != b;
    }
    return false;
}
#pragma GCC diagnostic pop

template <class A>
constexpr Left<A> take(const A& a, Site site) {
    return Left<A>{a, site};
}

template <class A, class B>
constexpr bool finish(const Left<A>& left, const B& b) {
    for (int i = 0; i < left.site.count; ++i)
        if (on(left.site.first + i)) return compare(left.site.alternatives[i], left.value, b);
    return compare(left.site.original, left.value, b);
}

// Found by argument-dependent lookup wherever a Site or a Left stands beside the operator.
#define BRANNOC_MUTANT_OPERATOR(symbol)                                                                                \
    template <class A>                                                                                                 \
    constexpr Left<A> operator symbol(const A& a, Site site) {                                                         \
        return take(a, site);                                                                                          \
    }                                                                                                                  \
    template <class A, class B>                                                                                        \
    constexpr bool operator symbol(const Left<A>& left, const B& b) {                                                  \
        return finish(left, b);                                                                                        \
    }
BRANNOC_MUTANT_OPERATOR(<)
BRANNOC_MUTANT_OPERATOR(<=)
BRANNOC_MUTANT_OPERATOR(>)
BRANNOC_MUTANT_OPERATOR(>=)
BRANNOC_MUTANT_OPERATOR(==)
BRANNOC_MUTANT_OPERATOR(!=)
#undef BRANNOC_MUTANT_OPERATOR

} // namespace brannoc_mutant
#endif
