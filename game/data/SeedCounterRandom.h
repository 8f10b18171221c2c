#pragma once

namespace vastomer {

// The game's one random source: a counter that reseeds the C library generator on every call, so a
// run's sequence of draws is the same every time. The enemy tables were tuned against it.
class SeedCounterRandom {
public:
    // A number from 0 to n − 1; 0 (without a draw) when n is below 1.
    int below(int n);
    int getCounter() const { return counter_; }

private:
    int counter_ = 0;
};

}  // namespace vastomer
