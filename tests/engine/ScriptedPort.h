#pragma once

#include "data/FlagTable.h"
#include "engine/report/CaseContext.h"
#include "engine/report/EnginePort.h"
#include "engine/report/ReportSurface.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <stdexcept>

namespace testsupport {

// An engine port whose dialogues answer from a script: each show takes the next answer, which
// writes the fields a real dialogue would write. A show with no answer left stops the run, so a
// test can never loop for ever waiting for a user.
class ScriptedPort : public engine::EnginePort {
public:
    using Answer = std::function<void(engine::CaseContext&)>;

    struct NoMoreAnswers : std::runtime_error {
        NoMoreAnswers() : std::runtime_error("the script has no answer left") {}
    };

    // What the dialogue saw when it was shown: the stage it was asked for and the stage that
    // CASE_TYPE held at that moment (empty for the screens shown without a stage).
    struct Shown {
        QString screen;
        QString caseType;
    };

    explicit ScriptedPort(data::Database db = {}) : m_db(std::move(db)) {}

    void setDatabase(data::Database db) { m_db = std::move(db); }
    void answer(Answer a) { m_answers.push_back(std::move(a)); }

    void showEntryDialog(engine::EntryStage stage, engine::CaseContext& context) override {
        shown.push_back({engine::entryStageText(stage), caseType()});
        next(context);
    }
    void showSuccessionDialog(engine::CaseContext& context) override {
        shown.push_back({QStringLiteral("Form6"), QString()});
        next(context);
    }
    void showResultsScreen(engine::CaseContext& context) override {
        shown.push_back({QStringLiteral("Form14"), QString()});
        next(context);
    }
    void showMessage(const QString& text) override { messages << text; }
    void pause() override { ++pauses; }
    engine::ReportSurface& surface() override { return m_surface; }
    void showHostWindow() override { ++hostShown; }

    std::vector<Shown> shown;
    QStringList messages;
    int pauses = 0;
    int hostShown = 0;

private:
    QString caseType() const {
        return m_db.isOpen()
                   ? data::FlagTable(m_db, QStringLiteral("CASE_TYPE"), QStringLiteral("case_type")).text()
                   : QString();
    }
    void next(engine::CaseContext& context) {
        if (m_answers.empty())
            throw NoMoreAnswers();
        Answer a = std::move(m_answers.front());
        m_answers.pop_front();
        a(context);
    }

    data::Database m_db;
    std::deque<Answer> m_answers;
    engine::ReportSurface m_surface;
};

} // namespace testsupport
