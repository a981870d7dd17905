#pragma once

#include "entry/EntryFixture.h"

#include "entry/Form12.h"
#include "exercise/Form5.h"
#include "exercise/Form7.h"
#include "results/Form14.h"
#include "results/TouchedReport.h"
#include "shell/Form1.h"
#include "succession/Form6.h"
#include "training/Form15.h"
#include "training/VerdictKeeper.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace shelltest {

// A screen of the program as a test opens it, on its own, in a fresh state.
struct ScreenOpener {
    const char* what;
    std::function<std::unique_ptr<QWidget>()> open;
};

// The screens the user works in, over one case database: the main window, both case entries at
// their details stage, the chain, both results screens and the quiz.
class ScreensFixture : public entrytest::EntryFixture {
protected:
    std::vector<ScreenOpener> workingScreens() {
        return {
            {"main window", [this] { return std::make_unique<shell::Form1>(db, shell::Form1::Screens{}); }},
            {"case entry",
             [this] {
                 setStage(engine::EntryStage::Details);
                 return std::make_unique<entry::Form12>(db, host);
             }},
            {"exercise case entry",
             [this] {
                 setStage(engine::EntryStage::Details);
                 return std::make_unique<exercise::Form5>(db, host, entry::ExitHooks{});
             }},
            {"successive deaths", [this] { return std::make_unique<succession::Form6>(db, host); }},
            {"results",
             [this] {
                 return std::make_unique<results::Form14>(db, host, touched, results::Form14::Links{});
             }},
            {"exercise results",
             [this] {
                 return std::make_unique<exercise::Form7>(db, host, verdicts, touched,
                                                          exercise::Form7::Links{});
             }},
            {"quiz", [this] { return std::make_unique<training::Form15>(db, training::Form15::Links{}); }},
        };
    }

    results::TouchedReport touched;
    training::VerdictKeeper verdicts;
};

} // namespace shelltest
