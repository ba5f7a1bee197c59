#include <kirogen/sdf/ValueConversion.h>
#include <lum/core/Serializer.h>
#include <cmath>

namespace kirogen::sdf {

using lum::core::variant::Variant;

double ValueConversion::toNumber(const Variant& value)
{
    bool ok = false;
    const double number = value.get<double>(&ok);
    if (ok)
        return number;
    const bool flag = value.get<bool>(&ok);
    return ok && flag ? 1.0 : 0.0;
}

Variant ValueConversion::convert(const Variant& value, const Variant& sample, const std::string& typeName,
                                 bool* ok)
{
    bool isText = false;
    std::string text = value.get<std::string>(&isText);
    if (!isText) {
        // The sample's own kind decides: a whole double must stay a double.
        if (sample.holds<bool>() || (sample.isEmpty() && typeName == "bool")) {
            text = toNumber(value) != 0.0 ? "true" : "false";
        } else if (sample.holds<int>()) {
            const double number = std::round(toNumber(value));
            // Out of the range of long long: left as a number text that no int type accepts.
            text = std::fabs(number) < 9.0e18 ? std::to_string(static_cast<long long>(number))
                                              : Variant(number).toString();
        } else {
            text = value.toString();
        }
    }
    return lum::core::variant::Serializer::singleton().load(text, typeName, ok);
}

bool ValueConversion::connectable(const std::string& outputType, const std::string& inputType)
{
    if (outputType == "any" || inputType == "any" || outputType == inputType)
        return true;
    return outputType != "string";
}

} // namespace kirogen::sdf
