#pragma once

#include <QString>
#include <QStringList>

// The texts of the exercise entry dialogue, shown exactly so.
namespace exercise::Texts {

inline const QString HandIn = QStringLiteral("تدقيق نتائج المسألة");
inline const QString LevelsFrame = QStringLiteral("مستويات الاسئلة");
inline const QString Level1 = QStringLiteral("المستوى الاول");
inline const QString Level2 = QStringLiteral("المستوى الثاني");
inline const QString Level3 = QStringLiteral("المستوى الثالث");
inline const QString NewBatch = QStringLiteral("استدعاء مجموعة جديدة من الاسئلة");
inline const QString QuestionNoColumn = QStringLiteral("رقم السؤال");
inline const QString HeirTypesFrame = QStringLiteral("اصناف الورثة في المسألة");
inline const QString SumLabel = QStringLiteral("مجموع السهام");
inline const QString Save = QStringLiteral("&خزن");
inline const QString Edit = QStringLiteral("ت&عديل");
inline const QString Delete = QStringLiteral("&حذف");
inline const QString EndProgram = QStringLiteral("انهاء البرنامج");
// The stepper's captions, first question first.
inline const QStringList Stepper = {QStringLiteral("السؤال الاول"), QStringLiteral("السؤال الثاني"),
                                    QStringLiteral("السؤال الثالث"), QStringLiteral("السؤال الرابع"),
                                    QStringLiteral("السؤال الخامس")};

} // namespace exercise::Texts
