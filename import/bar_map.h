// Bars from the meter map, counted as the compiler counts them: a meter
// takes effect at a bar start, bars number from 1.
#pragma once
#include <cstdint>
#include <vector>

#include "import/song_model.h"

namespace vek::import {

struct Bar {
    int number = 1;
    uint32_t start = 0;      // ticks
    uint32_t length = 0;     // ticks
    uint32_t beatTicks = 0;  // the beat of the meter, the unit of plain lengths
    int meterIndex = 0;      // the meter in force
};

class BarMap {
public:
    BarMap(int ppq, std::vector<MeterChange> &meters);  // moves mid-bar changes to the next bar
    Bar barAt(uint32_t tick) const;
    Bar bar(int number) const;

private:
    Bar make(size_t segment, int number) const;
    struct Segment {
        uint32_t start;
        int firstBar;
        uint32_t barTicks;
        uint32_t beatTicks;
    };
    std::vector<Segment> segments_;
};

}  // namespace vek::import
