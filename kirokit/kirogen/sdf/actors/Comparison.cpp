#include <kirogen/sdf/actors/Comparison.h>

#include <string>

namespace kirogen::sdf::actors {

namespace {

// -1, 0 or 1 as a is less than, equal to or greater than b; 2 when they are unordered (an
// undefined number), so that only "ne" holds.
template <typename T>
int order(const T& a, const T& b)
{
    if (a < b)
        return -1;
    if (b < a)
        return 1;
    return a == b ? 0 : 2;
}

} // namespace

void Comparison::evaluate(double)
{
    bool isTextA = false;
    bool isTextB = false;
    const std::string textA = input(0).get<std::string>(&isTextA);
    const std::string textB = input(1).get<std::string>(&isTextB);
    const int relation = isTextA && isTextB ? order(textA, textB) : order(inputNumber(0), inputNumber(1));

    bool result = false;
    switch (_operation) {
    case Equal:
        result = relation == 0;
        break;
    case NotEqual:
        result = relation != 0;
        break;
    case Less:
        result = relation == -1;
        break;
    case LessOrEqual:
        result = relation == -1 || relation == 0;
        break;
    case Greater:
        result = relation == 1;
        break;
    case GreaterOrEqual:
        result = relation == 1 || relation == 0;
        break;
    }
    output(0) = result;
}

} // namespace kirogen::sdf::actors
