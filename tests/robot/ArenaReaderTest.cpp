#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <robot/ArenaReader.h>
#include <robot/Robot.h>
#include <cmath>

using robot::Arena;
using robot::ArenaReader;

namespace {

constexpr double Pi = 3.14159265358979323846;

bool parse(const char* text, Arena* arena, QString* error)
{
    return ArenaReader(robot::Robot::radius).parse(QStringLiteral("test.arena"), text, arena, error);
}

TEST(ArenaReader, ReadsWallsBoxesAndTheStart)
{
    Arena arena;
    QString error;
    ASSERT_TRUE(parse("# a room\n"
                      "name  Small room \n"
                      "\n"
                      "wall 0 0 3 0 3 2\t0 2 0 0   # four sides in one\r\n"
                      "box 1 0.5 0.5 0.25\n"
                      "start 0.5 1 90\n",
                      &arena, &error))
        << error.toStdString();
    EXPECT_EQ(arena.name(), "Small room");
    // Four pieces of wall and the box's four sides.
    ASSERT_EQ(arena.walls().size(), 8u);
    EXPECT_EQ(arena.walls()[1].a, (robot::Vector{3, 0}));
    EXPECT_EQ(arena.walls()[1].b, (robot::Vector{3, 2}));
    EXPECT_EQ(arena.walls()[5].b, (robot::Vector{1.5, 0.75}));
    ASSERT_EQ(arena.boxes().size(), 1u);
    EXPECT_EQ(arena.start().x, 0.5);
    EXPECT_DOUBLE_EQ(arena.start().heading, Pi / 2);
    EXPECT_EQ(arena.lowerLeft(), (robot::Vector{0, 0}));
    EXPECT_EQ(arena.upperRight(), (robot::Vector{3, 2}));
}

TEST(ArenaReader, BadInputNamesFileAndLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"wall 0 0 1 0\nwall 0 0 1 x\nstart 0.5 0.5 0\n", "test.arena:2: \"x\" is not a number"},
        {"wall 0 0 1 0 1\nstart 0.5 0.5 0\n",
         "test.arena:1: a wall needs two or more points as x y pairs, got 5 numbers"},
        {"wall 0 0\n", "test.arena:1: a wall needs two or more points as x y pairs, got 2 numbers"},
        {"wall 0 0 1 0 1 0\n", "test.arena:1: the wall has a piece of length zero at point 3"},
        {"wall 0 0 1 0\nbox 1 1 0 1\n", "test.arena:2: a box needs a positive width and height"},
        {"wall 0 0 1 0\nbox 1 1 1\n", "test.arena:2: a box needs x, y, width and height, got 3 numbers"},
        {"wall 0 0 5 0\nstart 1 1 0\n\nstart 2 1 0\n",
         "test.arena:4: a second start (the first is on line 2)"},
        {"wall 0 0 5 0\nstart 1 1\n", "test.arena:2: the start needs x, y and heading, got 2 numbers"},
        {"wall 0 0 5 0\ncircle 1 1 1\n",
         "test.arena:2: unknown statement \"circle\" (expected name, wall, box or start)"},
        {"wall 0 0 5 0\nname\n", "test.arena:2: the name is empty"},
        {"wall 0 0 5000 0\n", "test.arena:1: 5000 is out of range (-1000 to 1000)"},
        {"wall 0 0 inf 0\n", "test.arena:1: \"inf\" is not a number"},
        {"wall 0 0 5 0\n# start 1 1 0\n", "test.arena: no start (a line \"start x y heading\")"},
        {"start 1 1 0\n", "test.arena: no walls (a line \"wall x1 y1 x2 y2\")"},
        // The body (radius 0.1 m) would overlap the wall at y = 0.
        {"wall 0 0 5 0\n\nstart 1 0.05 0\n",
         "test.arena:3: the robot (radius 0.1 m) does not fit at the start: it overlaps a wall"},
        // Clear of the walls, but inside the obstacle, or beside the room.
        {"wall 0 0 5 0 5 5 0 5 0 0\nbox 1 1 2 2\nstart 2 2 0\n",
         "test.arena:3: the start lies inside an obstacle or outside the walls"},
        {"wall 0 0 5 0 5 5 0 5 0 0\nstart 6 2 0\n",
         "test.arena:2: the start lies inside an obstacle or outside the walls"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        Arena arena;
        arena.setName(QStringLiteral("untouched"));
        QString error;
        EXPECT_FALSE(parse(text, &arena, &error));
        EXPECT_EQ(error.toStdString(), message);
        EXPECT_EQ(arena.name(), "untouched");
    }
}

TEST(ArenaReader, ShippedArenasAreValid)
{
    const QDir arenas(QStringLiteral(TAVVIEW_DIST_DIR "/arenas"));
    const QStringList names = arenas.entryList({QStringLiteral("*.arena")}, QDir::Files, QDir::Name);
    EXPECT_EQ(names, (QStringList{"corridor.arena", "maze.arena", "room.arena"}));
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        Arena arena;
        QString error;
        EXPECT_TRUE(ArenaReader(robot::Robot::radius).read(arenas.filePath(name), &arena, &error))
            << error.toStdString();
        EXPECT_FALSE(arena.name().isEmpty());
    }
    QString error;
    Arena arena;
    EXPECT_FALSE(ArenaReader(robot::Robot::radius).read(arenas.filePath("none.arena"), &arena, &error));
    EXPECT_TRUE(error.startsWith(arenas.filePath("none.arena") + ": cannot be read: "))
        << error.toStdString();
}

} // namespace
