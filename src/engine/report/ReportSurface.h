#pragma once

#include "engine/calc/Num.h"

#include <QString>
#include <QStringList>

#include <boost/multiprecision/cpp_int.hpp>

#include <functional>

namespace engine {

// The window the engine prints its report on, console-like: lines written from the left margin,
// each made of items. A text is written as it is; a number with a leading blank (a minus sign
// when negative) and a trailing blank; Spc(n) writes n blanks; Tab(n) moves to column n (1 is the
// first column), to the next line first when the line is already past it; zone() moves to the
// start of the next 14-column print zone; items written one after another join directly.
//
// The lines are kept as text; a widget draws them. Columns are counted in characters.
class ReportSurface {
public:
    ReportSurface& text(const QString& t);
    ReportSurface& number(std::int64_t n);
    ReportSurface& number(const boost::multiprecision::cpp_int& n);
    ReportSurface& number(const Num& n);
    // An already formatted number ("33.333", "-2"): the blanks are added here.
    ReportSurface& numberText(const QString& formatted);
    ReportSurface& spc(int n);
    ReportSurface& tab(int column);
    ReportSurface& zone();
    // Ends the current line (an empty line when nothing was written on it).
    void endLine();
    void emptyLine() { endLine(); }

    // Clears the window: the print position returns to the top left.
    void clear();
    // The page break: clears the window and prints the page head, three lines: an empty line,
    // "تتمــة" after five blanks, an empty line. The head belongs here whole because a caller
    // could not put the first empty line between the clearing and "تتمــة".
    void pageBreak();

    // Every finished line since the last clear, and the open line if it holds anything.
    QStringList lines() const;
    // The column (1-based) where the next item goes.
    int column() const { return static_cast<int>(m_current.size()) + 1; }

    // Called after every change, so a widget can redraw.
    void setListener(std::function<void()> listener) { m_listener = std::move(listener); }

    static constexpr int ZoneWidth = 14;

    static constexpr const char16_t* ContinuationText = u"تتمــة";

private:
    void changed();
    void padTo(int column);
    void finishLine();
    // A number's own text, its minus sign included: the blanks around it are added here.
    void appendNumber(QLatin1StringView signedDigits);
    void appendNumber(QStringView signedDigits);

    QStringList m_lines;
    QString m_current;
    std::function<void()> m_listener;
};

} // namespace engine
