#pragma once

#include <QString>

// The texts of the successive-deaths dialogue, blanks included: they are shown exactly so.
namespace succession::Texts {

inline const QString Heading = QStringLiteral("مسألة  مناسخة");
inline const QString DeceasedLabel = QStringLiteral("اسم المتوفي");
inline const QString AddHeirs = QStringLiteral("اضافة ورثة");
inline const QString CaseNoLabel = QStringLiteral("رقم المسألة");
inline const QString Regroup = QStringLiteral("ترتيب المسألة");
inline const QString Help = QStringLiteral("المساعد");
inline const QString RenameHeirCaption = QStringLiteral("تعديل اسم وارث-متوفي ما عد المتوفي الاول");
inline const QString RenameFirstCaption = QStringLiteral("تعديل اسم المتوفي الاول");
inline const QString Save = QStringLiteral("&خزن");
inline const QString Edit = QStringLiteral("ت&عديل");
inline const QString Delete = QStringLiteral("&حذف");
inline const QString SearchLabel = QStringLiteral("بحث");
inline const QString GridTip = QStringLiteral("F5 لاظهار النوافذ المساعدة ");
inline const QString CopyCaption = QStringLiteral("نقل");

inline const QString StatusColumn = QStringLiteral("الحالة");
inline const QString DeceasedColumn = QStringLiteral("اسم المتوفي");
inline const QString LaterDeceased = QStringLiteral("ثم توفي");

// Row rules.
inline const QString SameAsFirstDeceased = QStringLiteral("الوارث له نفس اسم المتوفي الاول ");
inline const QString ChooseDeceasedFirst = QStringLiteral("حدد اسم المتوفي قبل اضافة او تعديل اسم وارث ");
inline const QString Error = QStringLiteral("خطأ");
inline const QString BothNames = QStringLiteral("اسم وارث واسم متوفي لنفس القيد");
inline const QString HeirWithoutRelation = QStringLiteral("اسم وارث بدون صلة");
inline const QString DeceasedWithRelation = QStringLiteral("اسم متوفي له صلة");
inline const QString RelationWithoutHeir = QStringLiteral("صلة بدون وارث");
inline const QString DeceasedNotAnHeir = QStringLiteral("هناك احد الورثة المتوفين ليس من الورثة ");
inline const QString HeirTwice = QStringLiteral("لا يمكن اضافة الوارث لانه متكرر لنفس المتوفي ");
inline const QString HeirIsDeceased = QStringLiteral("لا يمكن اضافة الوارث لانه متوفي ");
inline const QString DeceasedHasHeirs = QStringLiteral("لا يمكن حذف المتوفي لان له ورثة ");
inline const QString HeirHasDied = QStringLiteral("لا يمكن حذف الوارث لانه متوفي ");
inline const QString DeceasedOnlyFromList = QStringLiteral("يضاف المتوفي التالي من قائمة اسماء المتوفين فقط");

// Next deceased and the add-heirs box.
inline const QString NotAmongHeirs = QStringLiteral("اسم المتوفي غير موجود ضمن اسماء الورثة");
inline const QString ChooseDeceased = QStringLiteral("حدد اسم المتوفي");

// Renaming.
inline const QString RenameHeirPrompt = QStringLiteral("ادخل اسم الوارث المطلوب تعديله");
inline const QString RenameFirstPrompt = QStringLiteral("ادخل اسم المتوفي الاول المطلوب تعديله");
inline const QString HeirRepeatedAmongHeirs = QStringLiteral("الوارث مكرر في اسماء الورثة ");
inline const QString HeirRepeatedAmongDeceased = QStringLiteral("الوارث مكرر في اسماء المتوفين ");
inline const QString DeceasedRepeatedAmongHeirs = QStringLiteral("المتوفي مكرر في اسماء الورثة ");
inline const QString DeceasedRepeatedAmongDeceased = QStringLiteral("المتوفي مكرر في اسماء المتوفين ");
inline const QString FirstDeceasedOnly = QStringLiteral("هذا الامر لتعديل اسم المتوفي الاول فقط");

// The run.
inline const QString Incomplete = QStringLiteral("تفاصيل المسألة غير مكتملة");
inline const QString NoPreparer = QStringLiteral("ادخل اسم المعد");
inline const QString DeceasedCount = QStringLiteral("عدد المتوفين غير مناسب .. يجب ان يتراوح من 2 الى 30");
inline const QString DeceasedWithoutHeirs = QStringLiteral("هناك احد المتوفين ليس له ورثة");
inline const QString OrphanHeir = QStringLiteral("هناك وارث لا يتبع اي متوفي");
inline const QString SharedPlace = QStringLiteral("هناك اكثر من متوفي في نفس ترتيب الوفاة");
inline const QString NamelessHeir = QStringLiteral("هناك وارث بدون اسم");

// The help text and its heading.
inline const QString HelpHeading = QStringLiteral("المساعد الخاص بادخال البيانات في مسائل المناسخات");

} // namespace succession::Texts
