#pragma once

// The tests' windowless host (tests/support) as the benchmarks that paint use it:
// a window that draws outside painting draws in place on the bench's surface, so
// that what a bench times is the drawing. The host is the tree's root and notes
// the areas the tree asks to have repainted (m_redraws).

#include "WindowlessHost.h"

namespace bench {

class BenchHost : public tivala::test::WindowlessHost {
public:
    // The root is laid out by the bench.
    explicit BenchHost(SAKU::IRenderTarget* surface) : WindowlessHost(surface, Targets::kCanvas) {}
};

}  // namespace bench
