#pragma once

#include <QString>
#include <QStringList>

// The texts of the case-entry dialogue, blanks included: the program compares some of them with
// what the tables hold and shows the others exactly so.
namespace entry::Texts {

// Its initial text is its own name, which is no choice of the list.
inline const QString SourceComboName = QStringLiteral("Combo1_\u064DSOURCE_CASE");

inline const QString SourceLabel = QStringLiteral("حدد مصدرالمسألة هل هي ");
inline const QString TypeLabel = QStringLiteral("حدد نوع المسألة هل هي ");
inline const QString SourceNew = QStringLiteral("جديدة");
inline const QString SourceStored = QStringLiteral("مخزونة نموذجية");
inline const QString EnabledStored = QStringLiteral("مخزونة");
inline const QString TypeSingle = QStringLiteral("مفردة");
inline const QString TypeSuccessive = QStringLiteral("مناسخة");
inline const QString StageButton = QStringLiteral("&تنفيذ");
inline const QString RunCaption = QStringLiteral("تنفيذ");
inline const QString RunStep1 = QStringLiteral("ت");
inline const QString RunStep2 = QStringLiteral("تن");
inline const QString RunStep3 = QStringLiteral("تنف");
inline const QString RunStep4 = QStringLiteral("تنفي");
inline const QString DetailsFrame = QStringLiteral("تفاصيل المسألة -مفردة");
inline const QString EstateFrame = QStringLiteral("مقدار التركة");
inline const QString CurrencyLabel = QStringLiteral("العملة");
inline const QString CurrencyTable = QStringLiteral("جدو&ل العملات");
inline const QString DefaultCurrency = QStringLiteral("دينار");
inline const QString EstateMode = QStringLiteral("تركة");
inline const QString DeceasedLabel = QStringLiteral("اسم المتوفي");
inline const QString CaseNoLabel = QStringLiteral("رقم المسألة");
inline const QString PreparerLabel = QStringLiteral("اسم المعد");
inline const QString IssuingBodyLabel = QStringLiteral("عنوان الجهة");
inline const QString AddIssuingBody = QStringLiteral("اضافة عنوان الجهة");
inline const QString RemoveIssuingBody = QStringLiteral("ازالة عنوان الجهة");
inline const QString DeletePreparer = QStringLiteral("حذف اسم معد");
inline const QString DeleteAllPreparers = QStringLiteral("حذف جميع اسماء المعدين");
inline const QString DeleteIssuingBody = QStringLiteral("حذف جهة");
inline const QString DeleteAllIssuingBodies = QStringLiteral("حذف جميع الجهات");
inline const QString NoIssuingBody = QStringLiteral("-");
inline const QString MainMenu = QStringLiteral("ال&قائمة الرئيسية");
inline const QString Shrink = QStringLiteral("تصغير الشاشة");
inline const QString Enlarge = QStringLiteral("تكبير الشاشة");
inline const QString NewCase = QStringLiteral("مسألة &جديدة");
inline const QString RelationColumn = QStringLiteral("الصلة");
inline const QString HeirNameColumn = QStringLiteral("اسم الوارث");
inline const QString GridTip = QStringLiteral(" F5 لاظهار قائمة اصناف الورثة اضغط  ");
inline const QString RangeFrom = QStringLiteral("من رقم المسألة");
inline const QString RangeTo = QStringLiteral("الى");
inline const QString ModelCasesFrame = QStringLiteral("مسائل  نموذجية");
inline const QString ModelSearchLabel = QStringLiteral("بحث عن رقم-عنوان مسالة");
inline const QString ModelTitleColumn = QStringLiteral("العنوان");
inline const QString ModelNumberColumn = QStringLiteral("الرقم");
inline const QString RunOneModelCase = QStringLiteral("&تنفيذ مفرد");
inline const QString RunModelRange = QStringLiteral("تنفيذ متسلسل");
inline const QString RunQueuedModelCase =
    QStringLiteral("تنفيذ المسائل تلقائياً ،يجب ان يبتعد الامر عن الانظار دون اخفائه");
// The preparer named on the report of a model case, and kept in the preparer list for it.
inline const QString DefaultPreparer = QStringLiteral("المسائل النموذجية");
inline const QString NoteHeading = QStringLiteral("ملاحظة مهمة جداً");
inline const QString Note1 = QStringLiteral("عند تحديد صلة كل وارث بالمتوفى ");
inline const QString Note2 = QStringLiteral("فيجب مراعاة أن تكون النسبة للمتوفى حصراُ");
inline const QString Note3 =
    QStringLiteral("، فلا ننسب وارث إلى وارث آخر. فإن توفى شخص عن زوجة وأولاد فلا يصح أن نقول عن أم وأولاد "
                   "على اعتبار إنها أم الأولاد، ولكن نقول زوجة . ");
inline const QString Note4 = QStringLiteral("أي أن النسبة لا تكون إلا للميت");
inline const QString Note5 = QStringLiteral(". ");
inline const QString Note6 =
    QStringLiteral("وبخلاف ذلك يتحمل المستخدم المسؤولية الأدبية والشرعية على خطأ النتائج");
inline const QString Note7 = QStringLiteral(" .");
inline const QString BadTypedRelation = QStringLiteral("علاقة غير صحيحة");
inline const QString BadPickedRelation = QStringLiteral("علاقة خاطئة");
inline const QString FifthWife = QStringLiteral("للوارث اكثر من اربع زوجات");
inline const QString MoreThanOne = QStringLiteral(" للوارث اكثر من ");
inline const QString HusbandAndWife = QStringLiteral(" لا يجتمع زوج مع زوجة لورثة متوفي ");
inline const QString Incomplete = QStringLiteral("تفاصيل المسألة غير مكتملة");
inline const QString NoPreparer = QStringLiteral("ادخل اسم المعد");
inline const QString Wife = QStringLiteral("زوجة");
inline const QString Husband = QStringLiteral("زوج");

// The relations that a case may hold once, as the relations table writes them.
inline const QStringList SingleInstance = {
    QStringLiteral("الخزينة العامة"),
    QStringLiteral("اب اب اب اب"),
    QStringLiteral("اب اب اب"),
    QStringLiteral("اب اب"),
    QStringLiteral("ام اب ام"),
    QStringLiteral("اب اب ام "),
    QStringLiteral("اب ام ام"),
    QStringLiteral("اب ام اب"),
    QStringLiteral("اب ام"),
    QStringLiteral("المعتق"),
    QStringLiteral("ام اب اب اب"),
    QStringLiteral("ام ام اب اب"),
    QStringLiteral("ام ام ام اب"),
    QStringLiteral("ام اب اب"),
    QStringLiteral("ام ام اب"),
    QStringLiteral("ام اب"),
    QStringLiteral("ام ام ام ام"),
    QStringLiteral("ام ام ام"),
    QStringLiteral("ام ام"),
    QStringLiteral("زوج"),
    QStringLiteral("جد"),
    QStringLiteral("ام"),
    QStringLiteral("اب"),
};

// Refusals of the run button for what the engine's intake cannot take.
inline const QString StretchedDeceasedName = QStringLiteral("لا تستعمل الرمز ـ في اسم المتوفي");
inline const QString TooManyHeirs = QStringLiteral("عدد الورثة يجب ان لا يزيد على ");
inline const QString EmptyHeirName = QStringLiteral("اسم الوارث فارغ في السطر ");
inline const QString EmptyHeirRelation = QStringLiteral("صلة الوارث فارغة في السطر ");

} // namespace entry::Texts
