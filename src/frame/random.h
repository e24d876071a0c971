#pragma once
// Pseudo-random draws uniform in [0, 1), single precision, through a port so tests can script
// the draws (the drill's problems, the pick among a sound role's files).

#include <random>

namespace zanfolio {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A fresh draw in [0, 1).
    virtual float next() = 0;
};

// Seeded from the time of day, like the classroom program.
class SystemRandom final : public RandomSource {
  public:
    explicit SystemRandom(unsigned seed) : engine_(seed) {}
    float next() override {
        // generate_canonical can return 1.0f through rounding; keep the draw below 1.
        float r = std::generate_canonical<float, 24>(engine_);
        return r < 1.0f ? r : 0.99999994f;
    }

  private:
    std::mt19937 engine_;
};

} // namespace zanfolio
