#pragma once

#include "engine/report/EntryStage.h"

#include <QString>

namespace engine {

class ReportSurface;
struct CaseContext;

// The one way the engine reaches the screens. Every show is modal: it returns when the dialogue
// has written its answer into the host's CaseContext (and, for some, into tables) and closed.
// The GUI implements it with dialogues; tests with scripted answers.
class EnginePort {
public:
    virtual ~EnginePort() = default;

    // The case-entry dialogue at the stage already written into CASE_TYPE.
    virtual void showEntryDialog(EntryStage stage, CaseContext& context) = 0;
    virtual void showSuccessionDialog(CaseContext& context) = 0;
    virtual void showResultsScreen(CaseContext& context) = 0;
    virtual void showMessage(const QString& text) = 0;
    // The pause between report pages: a message "  اضغط  لتستمر ".
    virtual void pause() = 0;
    // The host window, on which the engine prints its report lines.
    virtual ReportSurface& surface() = 0;
    // The host window becomes visible (while its load step goes on).
    virtual void showHostWindow() {}
};

inline const QString PauseText = QStringLiteral("  اضغط  لتستمر ");

} // namespace engine
