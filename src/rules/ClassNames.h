#pragma once

#include <QString>

#include <array>

namespace rules {

// The words of the heir classes, read from the class-name rule files: entry c belongs to class c
// (1..128), group g (1..12) to the first twelve classes. Element 0 is never written.
struct ClassNames {
    std::array<QString, 129> ClassNamePlural;
    std::array<QString, 129> ClassNameSingular;
    std::array<QString, 129> ClassNameMixed;
    // 2 feminine wording, 0 no wording, any other value 1..255 masculine wording.
    std::array<int, 129> ClassGender{};
    std::array<QString, 13> GroupNames;
};

} // namespace rules
