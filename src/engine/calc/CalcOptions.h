#pragma once

namespace engine {

// Switches of the calculation of one deceased. The defaults are the engine's own runs; the
// self-test replays its reference cases with its own variant, whose expected shares were written
// for that variant and must keep agreeing with it.
struct CalcOptions {
    // The grandfather takes what the sisters' fixed shares leave over, before any male residuary
    // of classes 27 to 45 is looked for. Off: the division goes on as when no sister had a fixed
    // share beside him.
    bool grandfatherTakesRemainder = true;
    // A male residuary class of 27 to 45 is present in the walk for the remainder when its count
    // is not 0; with this switch only when the count is above 0.
    bool residuaryNeedsPositiveCount = false;
    // The case-name notes that the steps record while they recognise a named case.
    bool keepNotes = true;

    // The variant the self-test and its expected shares are written for.
    static CalcOptions referenceVariant() { return {false, true, false}; }
};

} // namespace engine
