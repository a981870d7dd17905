#pragma once

#include <QString>

namespace rules {

// What one deceased cannot leave, whoever enters his heirs: the same heir twice, a second father,
// mother, husband, true grandfather or grandmother of one degree and side (the calculation hands
// each of these classes' share to a single head), a husband beside a wife, a fifth wife. Classes
// are ClassCodes, already folded (a grandfather is 96..98). The heir intake drops such an heir
// with its message; the stored-case reader refuses the record.
class HeirCheck {
public:
    enum class Fault { None, Repeated, BothSpouses, FifthWife };

    static constexpr int Father = 1;
    static constexpr int Mother = 2;
    static constexpr int Husband = 4;
    static constexpr int Wife = 5;

    static constexpr bool isSingleHeadClass(int c) {
        return c == Father || c == Mother || c == Husband || (c >= 18 && c <= 26) || (c >= 96 && c <= 98);
    }

    // The heir of class `cls` named `name` against the `count` heirs entered before him for the
    // same deceased, the k-th (0-based) read as classAt(k) and nameAt(k).
    template <class ClassAt, class NameAt>
    static Fault against(int cls, const QString& name, int count, ClassAt classAt, NameAt nameAt) {
        for (int k = 0; k < count; ++k) {
            if (classAt(k) == cls && nameAt(k) == name)
                return Fault::Repeated;
        }
        if (isSingleHeadClass(cls)) {
            for (int k = 0; k < count; ++k) {
                if (classAt(k) == cls)
                    return Fault::Repeated;
            }
        }
        if (cls == Wife) {
            int wives = 0;
            for (int k = 0; k < count; ++k) {
                if (classAt(k) == Husband)
                    return Fault::BothSpouses;
                if (classAt(k) == Wife && ++wives == 4)
                    return Fault::FifthWife;
            }
        }
        if (cls == Husband) {
            for (int k = 0; k < count; ++k) {
                if (classAt(k) == Wife)
                    return Fault::BothSpouses;
            }
        }
        return Fault::None;
    }
};

} // namespace rules
