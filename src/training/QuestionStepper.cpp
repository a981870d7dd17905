#include "training/QuestionStepper.h"

#include "training/ExerciseBatch.h"

namespace training {

QString QuestionStepper::captionFor(int waiting) {
    switch (waiting) {
    case 5:
        return QStringLiteral("السؤال الاول");
    case 4:
        return QStringLiteral("السؤال الثاني");
    case 3:
        return QStringLiteral("السؤال الثالث");
    case 2:
        return QStringLiteral("السؤال الرابع");
    case 1:
        return QStringLiteral("السؤال الخامس");
    default:
        return {};
    }
}

QuestionStepper::Step QuestionStepper::press(const data::Database& db) {
    Step step;
    db.execute(QStringLiteral("delete from Q_TIMES"));
    const QList<int> left = ExerciseBatch::waiting(db);
    step.waiting = static_cast<int>(left.size());
    step.caption = captionFor(step.waiting);
    if (left.isEmpty()) {
        step.visible = false;
        return step;
    }
    step.loaded = ExerciseQuestion::load(db, left.first());
    return step;
}

} // namespace training
