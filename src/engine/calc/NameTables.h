#pragma once

#include "engine/calc/EngineState.h"
#include "rules/ClassNames.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

namespace engine {

// The name tables the engine words its reports with: the relation texts and the fixed menu and
// report texts (constants), and the class words read from the rule files. Filled by the host's
// load step, then only read.
struct NameTables : rules::ClassNames {
    std::array<QString, NameTop + 1> RelationNames;
    std::array<QString, 31> MenuTexts;

    void fillRelationNames();
    void fillMenuTexts();

    // The RelationCode of a relation text: the lowest of slots 1..127 holding exactly that text,
    // 0 when none does. The placeholder "*******" names no relation and finds nothing; "*" finds
    // slot 99, the mark of a heir to drop.
    int relationCode(const QString& text) const;

    static constexpr const char16_t* PlaceholderText = u"*******";
    static constexpr int DropMark = 99;

private:
    // The relation codes by a hash of each text's length and letters, open addressing (0: an empty
    // place). The intake looks a relation up for every heir it reads.
    static constexpr std::size_t RelationLookupSize = 512;
    std::array<std::uint8_t, RelationLookupSize> relationLookup{};
};

// Folds a RelationCode into the ClassCode the calculation works with ("جد" counts with "اب اب",
// "اخ لام" with "اخت لام", ...). 0 for codes outside 1..127.
int foldRelation(int relationCode);

} // namespace engine
