#include "rules/ChainCheck.h"

namespace rules {

QString ChainCheck::message(Fault fault) {
    switch (fault) {
    case Fault::None:
        break;
    case Fault::NotAnHeir:
        return QStringLiteral("لايوجد وارث بهذا الاسم ");
    case Fault::RepeatedDeceased:
        return QStringLiteral("متوفى مكرر/ تم الغاءه /إستمر");
    case Fault::OwnHeir:
        return QStringLiteral("لا يصح ان يكون المتوفى وارثا لنفسه");
    case Fault::InheritsFromLater:
        return QStringLiteral("لا يصح ان يرث المتوفى ممن توفي بعده");
    case Fault::HeirTwice:
        return QStringLiteral("لا يمكن اضافة الوارث لانه متكرر لنفس المتوفي ");
    }
    return {};
}

ChainCheck::Fault ChainCheck::nextDeceased(const QString& name) {
    Fault fault = Fault::None;
    if (!m_deceased.isEmpty() && !m_heirs.contains(name))
        fault = Fault::NotAnHeir;
    else if (m_deceased.contains(name))
        fault = Fault::RepeatedDeceased;
    m_deceased << name;
    m_currentHeirs.clear();
    return fault;
}

ChainCheck::Fault ChainCheck::checkHeir(const QString& name) const {
    if (m_deceased.isEmpty())
        return Fault::None;
    if (name == m_deceased.back())
        return Fault::OwnHeir;
    for (qsizetype b = 0; b + 1 < m_deceased.size(); ++b) {
        if (m_deceased[b] == name)
            return Fault::InheritsFromLater;
    }
    return Fault::None;
}

void ChainCheck::addHeir(const QString& name) {
    m_heirs.insert(name);
    m_currentHeirs.insert(name);
}

ChainCheck::Finding ChainCheck::firstFault(const std::vector<Deceased>& chain) {
    ChainCheck check;
    const bool isChain = chain.size() > 1;
    int k = 0;
    for (const Deceased& d : chain) {
        ++k;
        if (const Fault f = check.nextDeceased(d.name); f != Fault::None)
            return {f, k, d.name};
        for (const QString& heir : d.heirs) {
            if (const Fault f = check.checkHeir(heir); f != Fault::None)
                return {f, k, heir};
            if (isChain && check.isHeirAlready(heir))
                return {Fault::HeirTwice, k, heir};
            check.addHeir(heir);
        }
    }
    return {};
}

} // namespace rules
