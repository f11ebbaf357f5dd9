// Prints how long the help text reader takes on growing inputs of several shapes, so that
// anything worse than linear time shows as a growing time per megabyte.
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/help/rtf_reader.h"

namespace {

std::string Repeat(const std::string& piece, std::size_t bytes) {
    std::string out = "{\\rtf1 ";
    while (out.size() < bytes) out += piece;
    return out + "}";
}

struct Shape {
    const char* name;
    std::function<std::string(std::size_t)> make;
};

const std::vector<Shape> kShapes = {
    {"formatted text",
     [](std::size_t n) {
         return Repeat("Some {\\b bold} and {\\i\\fs30 big} text\\'e9\\u8364?\\par ", n);
     }},
    {"one paragraph", [](std::size_t n) { return Repeat("x{\\b y}", n); }},
    {"open braces", [](std::size_t n) { return Repeat("{", n); }},
    {"nested groups", [](std::size_t n) { return Repeat("{{{{{{{{a}}}}}}}}", n); }},
    {"long control word", [](std::size_t n) { return "{\\rtf1 \\" + std::string(n, 'a') + "}"; }},
    {"long parameter", [](std::size_t n) { return "{\\rtf1 \\fs" + std::string(n, '9') + "}"; }},
    {"huge uc", [](std::size_t n) { return Repeat("\\uc999999999\\u233 ab", n); }},
    {"skipped groups", [](std::size_t n) { return Repeat("{\\*\\x a\\bin1 }}", n); }},
    {"plain text",
     [](std::size_t n) { return std::string(n / 10, 'a') + std::string(n / 10, '\n'); }},
};

double Seconds(const std::string& input) {
    const auto start = std::chrono::steady_clock::now();
    quodlin::ParseRtf(input);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

}  // namespace

int main() {
    std::printf("%-18s %10s %10s %10s  (ms per MB at 1, 4 and 16 MB)\n", "input", "1 MB", "4 MB",
                "16 MB");
    for (const Shape& shape : kShapes) {
        std::printf("%-18s", shape.name);
        for (const std::size_t megabytes : {1u, 4u, 16u}) {
            const std::string input = shape.make(megabytes << 20);
            std::printf(" %10.1f", Seconds(input) * 1000.0 / static_cast<double>(megabytes));
        }
        std::printf("\n");
    }
}
