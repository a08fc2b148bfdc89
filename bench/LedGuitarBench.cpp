#include "Fakes.h"
#include "ledguitar/LedGuitar.h"
#include "ledguitar/SimulatedGuitar.h"

#include <benchmark/benchmark.h>

using namespace chordalis;

namespace {

// The guitar output over the simulated guitar, connected with its lights on.
struct Output {
    Output() {
        guitar.start();
        guitar.setLightsOn(true);
    }
    SimulatedGuitar sim;
    test::RecordingLedSender also;
    bool connected = false;
    bool leftHanded = false;
    int left = 1;
    int right = 2;
    Instrument neck;
    LedGuitar guitar{sim, also, {connected, leftHanded, left, right, neck}};
};

// A scale's frame (every note of C major on frets 0..15) packed and written as three reports:
// what each display change costs besides drawing.
void BM_SendScaleFrame(benchmark::State& state) {
    Output out;
    LedFrame frame;
    for (int string = 1; string <= 6; ++string) {
        for (int fret = 0; fret <= 15; fret += 2)
            frame.push_back({fret, string});
    }
    for (auto _ : state) {
        out.guitar.sendFrame(frame);
        out.also.frames.clear();
        out.sim.clearOutputReports();
    }
}
BENCHMARK(BM_SendScaleFrame)->Unit(benchmark::kMicrosecond);

// One tick of the pedal poll with the pedal released: one input report read.
void BM_PollPedal(benchmark::State& state) {
    Output out;
    for (auto _ : state)
        out.guitar.poll();
}
BENCHMARK(BM_PollPedal)->Unit(benchmark::kMicrosecond);

} // namespace
