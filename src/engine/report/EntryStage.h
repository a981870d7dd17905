#pragma once

#include <QString>

namespace engine {

// What the case-entry dialogue is asked for; the value of CASE_TYPE.
enum class EntryStage { Source, Type, Estate, Details, Stored };

inline QString entryStageText(EntryStage stage) {
    switch (stage) {
    case EntryStage::Source:
        return QStringLiteral("مصدر المسألة");
    case EntryStage::Type:
        return QStringLiteral("نوع المسألة");
    case EntryStage::Estate:
        return QStringLiteral("تركة");
    case EntryStage::Details:
        return QStringLiteral("تفاصيل المسألة");
    case EntryStage::Stored:
        return QStringLiteral("مسألة مخزونة");
    }
    return {};
}

} // namespace engine
