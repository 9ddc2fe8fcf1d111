// SOAK.EXE: the soak run (scripts/soak.sh and, short, the test command).
//
//   SOAK SCALE [nrxvgchg] [pivoter] [nrxdel]
//
// SCALE 1 repeats each action as often as a resident program meets it over
// months (the tray menu 1,000 times, ...); a smaller one as often times
// SCALE, but at least 10 times. Without parts, every part. Exits 0 when
// every action held.
#include "soak_parts.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    double scale = argc > 1 ? std::atof(argv[1]) : 0;
    if (scale <= 0) {
        std::fprintf(stderr, "usage: SOAK SCALE [nrxvgchg] [pivoter] [nrxdel]\n");
        return 2;
    }
    struct Part {
        const char* name;
        bool (*run)(double scale);
    } parts[] = {{"nrxvgchg", soak::SoakResolutionChanger},
                 {"pivoter", soak::SoakOrientationChanger},
                 {"nrxdel", soak::SoakProgmanClient}};
    soak::MeasureWinesOwnGrowth();
    soak::PrintHeading();
    bool held = true;
    for (const Part& part : parts) {
        bool chosen = argc <= 2;
        for (int i = 2; i < argc; ++i)
            chosen = chosen || std::strcmp(argv[i], part.name) == 0;
        if (chosen)
            held = part.run(scale) && held;
    }
    std::printf("soak at scale %g: %s\n", scale, held ? "every action held" : "NOT every action held");
    return held ? 0 : 1;
}
