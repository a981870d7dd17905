#pragma once

#include "rules/ClassNames.h"
#include "rules/RuleFile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace rules {

// The class-name rule files of the application folder, read by the engine host's
// load step at the points it chooses:
//
//   ClassNameFiles files;
//   files.openFiles();             // step 1: AG, AGN, ORVEL, AGG, AGL, in this order
//   files.readGroupNames(names);   // steps 2-3: 12 fields of AGL
//   ...                            // (the host fills the relation and menu texts here)
//   files.readClassNames(names);   // steps 4-5: one field of AG, AGN, AGG, ORVEL per class 1..128
//   ClassNameFiles::readClassList();  // step 6: AQ read through, nothing kept
//
// A missing file stops the program when it is opened; a file that ends before the last field
// read, or a number that is not written plainly, stops it when that field is read (an Arabic
// message naming the file, then the end of the program: RuleFile). Fields after the last one
// read are never looked at. A ClassGender outside 0..255, which no file of ours holds, is
// refused when it is read, with the same "file malformed" message naming ORVEL.
//
// What the shipped files hold (appdata/), and why:
// - One field per line, every text quoted, so line c of AG, AGN, AGG and ORVEL is class c.
//   Spelling follows the relation texts: no hamza on alef ("اب", "ابن", "ام", "اخ"), "لاب" and
//   "لام" for consanguine and uterine; names carry the article because the notes put them
//   where a noun stands ("الاخ لاب ( محجوب )", "للعصبة ( الابناء والبنات )الباقي").
// - AGL: the group names stand in front of a share ("للزوجات  الربع") where a single heir gets
//   "لل" + the relation text or the fixed "لبنت الابن", "لولد الام", so they carry the
//   preposition too: "للزوجات", "لبنات الابن", "لاولاد الام".
// - Class 12 holds brothers and sisters through the mother: "ولد الام" / "اولاد الام", the
//   words the notes themselves use for it (a lone one may be either), worded masculine (1).
// - Classes 3 and 6 are the grandfather and the grandmothers as aggregates: "الجد", "الجدات".
// - A class held by no relation (53, 64, 66, 68, 70, 80, 82, 99, 100, 102, 110) has gender 0
//   and carries the names of the next class that holds a relation: the engine names such a
//   class only as the male member M of a residuary pair (M, M+1) of which only the female
//   member is present (the note on kinds 9 and 10 names the pair after M), so e.g. class 64
//   must read "بنت ابن الاخ الشقيق".
// - Entries 113..128 belong to no class; they repeat the relation text of the same slot
//   (128 "بيت المال") and have gender 0.
class ClassNameFiles {
public:
    // Opens a rule file by its bare name; the default reads the application folder.
    using Opener = std::function<RuleFile(const QString& name)>;

    ClassNameFiles();
    explicit ClassNameFiles(Opener opener);

    // Step 1. Must come before the two reads below.
    void openFiles();
    // Steps 2-3: GroupNames 1..12 from AGL, which is then closed.
    void readGroupNames(ClassNames& names);
    // Steps 4-5: ClassNamePlural, ClassNameSingular, ClassNameMixed and ClassGender 1..128,
    // read in step from AG, AGN, AGG and ORVEL, which are then closed.
    void readClassNames(ClassNames& names);

    // What the class list held; the host discards it (nothing of it is shown or kept).
    struct ClassList {
        // One entry per count read before the closing 0: its names (none for a count below 1).
        QList<QStringList> groups;
        int fieldsRead = 0; // counts and names, the closing 0 included
    };
    // Step 6: AQ of the application folder, read through to its closing count 0.
    static ClassList readClassList();
    static ClassList readClassList(RuleFile aq);

    static constexpr int ClassEntries = 128;
    static constexpr int GroupEntries = 12;
    static constexpr int MaxGender = 255;

private:
    Opener m_open;
    std::optional<RuleFile> m_ag, m_agn, m_orvel, m_agg, m_agl;
};

} // namespace rules
