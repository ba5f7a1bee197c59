#include <robot/Arena.h>
#include <algorithm>

namespace robot {

void Arena::addBox(const Box& box)
{
    _boxes.push_back(box);
    const Vector corners[] = {{box.x, box.y},
                              {box.x + box.width, box.y},
                              {box.x + box.width, box.y + box.height},
                              {box.x, box.y + box.height}};
    for (int i = 0; i < 4; ++i)
        _walls.push_back({corners[i], corners[(i + 1) % 4]});
}

bool Arena::isFloor(Vector point) const
{
    const Vector low = lowerLeft();
    const Vector high = upperRight();
    if (point.x < low.x || point.x > high.x || point.y < low.y || point.y > high.y)
        return false;
    return std::none_of(_boxes.begin(), _boxes.end(), [point](const Box& box) {
        return point.x > box.x && point.x < box.x + box.width && point.y > box.y &&
               point.y < box.y + box.height;
    });
}

Vector Arena::lowerLeft() const
{
    if (_walls.empty())
        return {_start.x, _start.y};
    Vector corner = _walls.front().a;
    for (const Segment& wall : _walls)
        corner = {std::min({corner.x, wall.a.x, wall.b.x}), std::min({corner.y, wall.a.y, wall.b.y})};
    return corner;
}

Vector Arena::upperRight() const
{
    if (_walls.empty())
        return {_start.x, _start.y};
    Vector corner = _walls.front().a;
    for (const Segment& wall : _walls)
        corner = {std::max({corner.x, wall.a.x, wall.b.x}), std::max({corner.y, wall.a.y, wall.b.y})};
    return corner;
}

} // namespace robot
