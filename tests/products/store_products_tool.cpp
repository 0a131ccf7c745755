// Stores products into a data folder as the registration screen does, one after
// another, and says on standard output what each store reported, as soon as it
// did: "保存しました <number> <name>" or "失敗 <number> <message>". The tests run
// several of these at once on one data folder.
//
//   store_products_tool DATA_FOLDER NAME FIRST STEP COUNT [PAUSE_MS]
//
// stores COUNT products numbered FIRST, FIRST+STEP, ... with the 品名 NAME-<number>,
// answering "はい" when a number is already there.
#include "products/product_file.h"

#include "support/scripted_answerer.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 6) {
        std::fprintf(stderr, "usage: store_products_tool DATA_FOLDER NAME FIRST STEP COUNT [PAUSE_MS]\n");
        return 2;
    }
    const QString folder = args.at(1);
    const QString name = args.at(2);
    const int first = args.at(3).toInt();
    const int step = args.at(4).toInt();
    const int count = args.at(5).toInt();
    const int pause_ms = args.size() > 6 ? args.at(6).toInt() : 0;
    for (int i = 0; i < count; ++i) {
        products::Product_Record record;
        record[products::Product_No] = QString::number(first + i * step);
        record[products::Layout_Name] = QStringLiteral("標準01 65x45");
        record[products::Product_Name] = name + QLatin1Char('-') + QString::number(first + i * step);
        test_support::Scripted_Answerer answerer;
        answerer.answers = {true};
        const store::Outcome stored = products::Store_Product(folder, record, answerer);
        const QString line = stored.Is_Done()
            ? QStringLiteral("保存しました %1 %2").arg(record[products::Product_No], record[products::Product_Name])
            : QStringLiteral("失敗 %1 %2").arg(record[products::Product_No], stored.lines.join(QLatin1Char(' ')));
        std::printf("%s\n", line.simplified().toUtf8().constData());
        std::fflush(stdout);
        if (pause_ms > 0)
            QThread::msleep(static_cast<unsigned long>(pause_ms));
    }
    return 0;
}
