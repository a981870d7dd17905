#pragma once

#include "data/FlagTable.h"
#include "engine/report/CaseContext.h"
#include "engine/report/EntryStage.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace entrytest {

using Heir = std::pair<QString, QString>; // relation, name

// A fresh case database with the shipped relations and currencies, and the host's fields.
class EntryFixture : public ::testing::Test {
protected:
    void addHeirs(const std::vector<Heir>& heirs) const {
        for (const auto& [relation, name] : heirs)
            db.execute("insert into WARITH (warith_relation, warith_name) values (?, ?)", {relation, name});
    }
    // `count` heirs of one relation.
    void addHeirs(const QString& relation, int count) const {
        for (int i = 0; i < count; ++i)
            addHeirs({{relation, QString("وارث %1").arg(i + 1)}});
    }
    void setStage(engine::EntryStage stage) const {
        data::FlagTable(db, "CASE_TYPE", "case_type").write(engine::entryStageText(stage));
    }
    QString flag(const char* table, const char* column = nullptr) const {
        return data::FlagTable(db, table, column ? column : table).text();
    }
    qint64 rows(const char* table) const { return db.count(QString("select count(*) from %1").arg(table)); }
    QStringList column(const QString& sql) const {
        QStringList values;
        for (const QSqlRecord& r : db.select(sql))
            values << r.value(0).toString();
        return values;
    }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    engine::CaseContext host;
    testsupport::CapturedMessages messages;
};

} // namespace entrytest
