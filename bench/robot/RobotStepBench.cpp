// One simulation step of the virtual robot in an arena of 200 wall segments, with its three
// distance sensors: driving freely on a circle, and pushing against a wall (the blocked step
// searches for the point of contact). Prints the median and the mean time per step.

#include <robot/Robot.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int Segments = 200;
constexpr int Batches = 50;
constexpr int StepsPerBatch = 20000;

// A 4 m square room whose four sides are each cut into 50 pieces.
robot::Arena arena()
{
    robot::Arena arena;
    const robot::Vector corners[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    const int pieces = Segments / 4;
    for (int side = 0; side < 4; ++side) {
        const robot::Vector from = corners[side];
        const robot::Vector to = corners[(side + 1) % 4];
        for (int i = 0; i < pieces; ++i)
            arena.addWall(
                {from + (to - from) * (double(i) / pieces), from + (to - from) * (double(i + 1) / pieces)});
    }
    arena.setStart({2, 1, 0});
    return arena;
}

void measure(const char* what, robot::Robot& robot)
{
    std::vector<double> batches;
    double sink = 0;
    for (int b = 0; b < Batches; ++b) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < StepsPerBatch; ++i) {
            robot.step();
            sink += robot.readings().front;
        }
        const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        batches.push_back(elapsed.count() / StepsPerBatch);
    }
    std::sort(batches.begin(), batches.end());
    double mean = 0;
    for (double b : batches)
        mean += b / batches.size();
    std::printf("%-32s median %7.2f us  mean %7.2f us  min %7.2f us  (%d x %d steps, %g)\n", what,
                batches[batches.size() / 2] / 1000, mean / 1000, batches.front() / 1000, Batches,
                StepsPerBatch, sink > 0 ? 1.0 : 0.0);
}

} // namespace

int main()
{
    std::printf("%d wall segments, 3 sensors, target at most 20 us per step\n", Segments);
    robot::Robot circling(arena());
    circling.setSpeed(0.5);
    circling.setSteering(20);
    measure("driving on a circle", circling);

    robot::Robot pushing(arena());
    pushing.place({2, 4 - robot::Robot::radius, 1.5707963267948966});
    pushing.setSpeed(0.5);
    measure("pushing against a wall", pushing);
    return 0;
}
