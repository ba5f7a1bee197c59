#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <robot/ArenaReader.h>
#include <robot/RayCaster.h>
#include <cmath>

namespace robot {

namespace {

constexpr double Pi = 3.14159265358979323846;

} // namespace

ArenaReader::ArenaReader(double robotRadius) : _robotRadius(robotRadius)
{
}

bool ArenaReader::read(const QString& path, Arena* arena, QString* error) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("%1: cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    return parse(path, file.readAll(), arena, error);
}

bool ArenaReader::parse(const QString& path, const QByteArray& text, Arena* arena, QString* error) const
{
    Arena result;
    int startLine = 0;
    int lineNumber = 0;
    const auto fail = [&](const QString& message) {
        *error = tr("%1:%2: %3").arg(path, QString::number(lineNumber), message);
        return false;
    };

    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QByteArray& rawLine : text.split('\n')) {
        ++lineNumber;
        QString line = QString::fromUtf8(rawLine);
        line.truncate(line.indexOf(QLatin1Char('#')) >= 0 ? line.indexOf(QLatin1Char('#')) : line.size());
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        QStringList words = line.split(blanks);
        const QString keyword = words.takeFirst();

        if (keyword == QLatin1String("name")) {
            result.setName(line.mid(keyword.size()).trimmed());
            if (result.name().isEmpty())
                return fail(tr("the name is empty"));
            continue;
        }

        std::vector<double> numbers;
        for (const QString& word : words) {
            bool ok = false;
            const double value = word.toDouble(&ok);
            if (!ok || !std::isfinite(value))
                return fail(tr("\"%1\" is not a number").arg(word));
            if (std::abs(value) > maxCoordinate)
                return fail(tr("%1 is out of range (-%2 to %2)").arg(word).arg(maxCoordinate));
            numbers.push_back(value);
        }

        if (keyword == QLatin1String("wall")) {
            if (numbers.size() < 4 || numbers.size() % 2 != 0)
                return fail(
                    tr("a wall needs two or more points as x y pairs, got %1 numbers").arg(numbers.size()));
            for (std::size_t i = 2; i < numbers.size(); i += 2) {
                const Segment wall{{numbers[i - 2], numbers[i - 1]}, {numbers[i], numbers[i + 1]}};
                if (wall.a == wall.b)
                    return fail(tr("the wall has a piece of length zero at point %1").arg(i / 2 + 1));
                result.addWall(wall);
            }
        } else if (keyword == QLatin1String("box")) {
            if (numbers.size() != 4)
                return fail(tr("a box needs x, y, width and height, got %1 numbers").arg(numbers.size()));
            if (numbers[2] <= 0 || numbers[3] <= 0)
                return fail(tr("a box needs a positive width and height"));
            result.addBox({numbers[0], numbers[1], numbers[2], numbers[3]});
        } else if (keyword == QLatin1String("start")) {
            if (numbers.size() != 3)
                return fail(tr("the start needs x, y and heading, got %1 numbers").arg(numbers.size()));
            if (startLine != 0)
                return fail(tr("a second start (the first is on line %1)").arg(startLine));
            startLine = lineNumber;
            result.setStart({numbers[0], numbers[1], numbers[2] * Pi / 180});
        } else {
            return fail(tr("unknown statement \"%1\" (expected name, wall, box or start)").arg(keyword));
        }
        if (result.walls().size() > static_cast<std::size_t>(maxWalls))
            return fail(tr("more than %1 walls").arg(maxWalls));
    }

    if (result.walls().empty()) {
        *error = tr("%1: no walls (a line \"wall x1 y1 x2 y2\")").arg(path);
        return false;
    }
    if (startLine == 0) {
        *error = tr("%1: no start (a line \"start x y heading\")").arg(path);
        return false;
    }
    const Pose& start = result.start();
    if (RayCaster(result.walls()).clearance({start.x, start.y}) < _robotRadius) {
        lineNumber = startLine;
        return fail(
            tr("the robot (radius %1 m) does not fit at the start: it overlaps a wall").arg(_robotRadius));
    }
    if (!result.isFloor({start.x, start.y})) {
        lineNumber = startLine;
        return fail(tr("the start lies inside an obstacle or outside the walls"));
    }
    *arena = std::move(result);
    return true;
}

} // namespace robot
