#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

namespace rules {

// The rules that hold a chain of successive deaths together, by names alone (compared exactly,
// a trailing blank makes another name): every deceased after the first is an heir of a deceased
// before him; nobody dies twice; nobody inherits from himself, nor from one who died after him
// (he is gone when that estate opens); and, in a chain, one deceased names an heir once.
//
// The chain intake feeds it deceased by deceased and heir by heir as it reads them; the
// stored-case reader and the successive-deaths dialogue check a whole chain with firstFault.
class ChainCheck {
public:
    enum class Fault {
        None,
        NotAnHeir,         // a later deceased who is no heir of an earlier one
        RepeatedDeceased,  // a deceased named twice
        OwnHeir,           // a deceased among his own heirs
        InheritsFromLater, // an earlier deceased among a later one's heirs
        HeirTwice,         // one name twice among one deceased's heirs, in a chain
    };

    // The message the program gives for a fault.
    static QString message(Fault fault);

    // The next deceased in order of death. Checks that he is an heir of one before him (from the
    // second on) and not one of them; he is recorded whatever the answer.
    Fault nextDeceased(const QString& name);
    // An heir of the latest deceased, before he is taken: not that deceased, nor an earlier one.
    Fault checkHeir(const QString& name) const;
    // Whether the latest deceased already has an heir of this name.
    bool isHeirAlready(const QString& name) const { return m_currentHeirs.contains(name); }
    // Records an heir of the latest deceased that was taken.
    void addHeir(const QString& name);

    int deceasedCount() const { return static_cast<int>(m_deceased.size()); }

    struct Deceased {
        QString name;
        QStringList heirs;
    };
    struct Finding {
        Fault fault = Fault::None;
        int deceased = 0; // 1 for the first in order of death
        QString name;     // the deceased or heir named wrongly
    };
    // The first fault of a whole chain, deceased by deceased and heir by heir in order. A single
    // deceased may name one heir under two relations (the same person in two relations).
    static Finding firstFault(const std::vector<Deceased>& chain);

private:
    QStringList m_deceased;
    QSet<QString> m_heirs; // of every deceased so far
    QSet<QString> m_currentHeirs;
};

} // namespace rules
