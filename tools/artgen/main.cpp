// Draws every committed artwork file from code, so the Windows build needs no generator.
//   orvalis_artgen <resources-dir>
#include "Artwork.h"

#include "core/Scale.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvalis_artgen <resources-dir>\n");
        return 2;
    }
    const artgen::Paths paths{argv[1]};
    // Each scale is drawn on its own, largest first, so that the longest pieces start first;
    // every piece writes files of its own.
    std::vector<int> dpis(std::begin(core::kStoredDpis), std::end(core::kStoredDpis));
    std::sort(dpis.rbegin(), dpis.rend());
    std::vector<std::function<void()>> pieces;
    for (int dpi : dpis) {
        pieces.push_back([&paths, dpi] {
            artgen::DrawSkin(paths, dpi);
            artgen::DrawButtons(paths, dpi);
            artgen::DrawAboutPicture(paths, dpi);
        });
    }
    pieces.push_back([&paths] { artgen::DrawIcon(paths); });
    pieces.push_back([&paths] { artgen::DrawStrips(paths); });
    pieces.push_back([&paths] { artgen::WriteScaledResourceScript(paths); });
    const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
    std::string failure;
    std::vector<std::future<void>> running;
    auto finishOne = [&] {
        try {
            running.front().get();
        } catch (const std::exception& e) {
            failure = e.what();
        }
        running.erase(running.begin());
    };
    for (const auto& piece : pieces) {
        if (running.size() >= workers) {
            finishOne();
        }
        running.push_back(std::async(std::launch::async, piece));
    }
    while (!running.empty()) {
        finishOne();
    }
    if (!failure.empty()) {
        std::fprintf(stderr, "orvalis_artgen: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}
