#pragma once
// The first round of the tournaments of 256 participants the benchmarks build: 64 round-robin
// groups of four, "G1" to "G64", taking the participants in order.
#include <string>
#include <vector>

#include "dialogs/FormGenerators.h"

inline std::vector<FormGroup> Vorrunde256() {
    std::vector<FormGroup> pools;
    for (int g = 1; g <= 64; ++g) {
        FormGroup pool{"G" + std::to_string(g), "Gruppe " + std::to_string(g), "JGJ", {}};
        for (int k = 1; k <= 4; ++k) pool.items.push_back("M" + std::to_string(4 * (g - 1) + k));
        pools.push_back(pool);
    }
    return pools;
}
