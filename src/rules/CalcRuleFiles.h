#pragma once

#include "rules/RuleFile.h"

#include <array>
#include <vector>

namespace rules {

// The three rule files the calculation consults, read once (by the engine host's load step and
// by the self-test when it starts) instead of at every step: reading them costs more than the
// whole calculation, and nothing a user does could tell the two apart.
//
// The files have no comment syntax, so the reasons for their lines live here.
//
// AF, the exclusion pairs of both schools, applied only when no mother is present. Four records
// "A,B": heads of class A count only when class B is absent. Our pairs:
//   23,96  "ام اب اب" is excluded by "اب اب": the grandfather excludes his own mother, who
//          reaches the deceased only through him.
//   25,96  "ام ام اب اب", the grandfather's mother's mother, reaches the deceased through him too.
//   26,96  "ام اب اب اب", the great-grandfather's mother, likewise through the grandfather...
//   26,97  ...and through her own son "اب اب اب".
// Every B is a class of one head at most (the intake drops a second heir of classes 96 to 98),
// so 1 - count(B) is 0 or 1. No pair lets the grandfather aggregate (class 3) exclude the
// brothers or sisters (classes 10, 11, 16, 17): the grandfather shares with them.
//
// AV, the order of the residuaries that the walk hands a remainder to when nobody, or only a
// spouse, holds a fixed share. By then every heir with a fixed share, every male residuary
// (sons, brothers, classes 27 to 45) and every grandfather and father has been dealt with, so
// the walk only meets the relatives of the womb. Records "first,last,offset": pairs (k, k+1)
// for k = first, first+2, .. last, the male class first; a positive offset makes a side
// record, whose mother's side is the father's side shifted by the offset, and the remainder is
// split two thirds to the father's side and one third to the mother's side when both are present.
//   46,50,0    the daughters' line: "ابن بنت"/"بنت بنت", then the son's daughter's children
//              (their link, the son's daughter, is an heir), then the third degree.
//   52,56,0    the grandfathers and grandmothers who are not heirs: "اب ام" first (the nearest),
//              then "اب ام اب" with "اب ام ام" (one on each side, so the pair's 2:1 is the two
//              thirds and the third of the two sides), then "اب اب ام " with "ام اب ام".
//   58,66,0    the siblings' children, full before consanguine before uterine, then the
//              brothers' sons' daughters one degree further out.
//   68,72,6    the deceased's aunts and uncles: the father's side ("عمة", "عمة لاب", "عم لام",
//              "عمة لام", classes 68 to 73) takes two thirds beside the mother's side ("خال" and
//              "خالة" of every kind, classes 74 to 79), which takes one third.
//   80,88,10   their children: the father's side (classes 80 to 89) beside the children of
//              "خال" and "خالة" (classes 90 to 95); classes 96 to 99 on that side hold no heir
//              when the walk runs, since a grandfather or father takes the remainder first.
//   100,104,6  last, as the walk needs: the father's aunts and uncles on his father's side
//              (classes 100 to 105) beside those on his mother's side (classes 106 to 111; "خال
//              اب لام" stands in the female place of the pair whose male class, 110, holds no
//              relation). Class 112, "خالة اب لام", shares the treasury's number; the walk
//              pairs her with her brother "خال اب لام" on the mother's side (ResiduaryWalk.cpp).
// Classes 53, 64, 66, 68, 70, 80, 82, 100, 102 and 110 hold no relation; they stand in the male
// place of pairs whose female class has heirs of her own.
//
// AH, the order in which the grandmothers who share the sixth are given it: degree by degree,
// the mother's side first. The grandmother step records exactly which classes share, so this
// order no longer decides who shares; it must still name every grandmother class (18 to 26), or
// a sharing grandmother would be left without her share, and name no other class.
//
// Every number is checked against its field's range before anything is computed from it: a class
// is 1..112, an offset 0..112, and a record may reach no class above 112.

struct ExclusionPair {
    int excluded = 0;  // A
    int excluding = 0; // B
};

struct ResiduaryRange {
    int FirstClass = 0;
    int LastClass = 0;
    int SideOffset = 0;
    bool isSide() const { return SideOffset > 0; }
};

struct CalcRules {
    std::array<ExclusionPair, 4> exclusionPairs;
    std::vector<ResiduaryRange> residuaryOrder;
    std::vector<int> grandmotherOrder;
};

// Reads AF, AV and AH from the application folder. A missing, short or malformed file shows an
// Arabic message naming it and ends the program.
CalcRules loadCalcRules();
// The same from files already opened (tests give them as text).
CalcRules parseCalcRules(RuleFile af, RuleFile av, RuleFile ah);

} // namespace rules
