// w4ctl: the processor from scripts and control systems.
#include "ctlrequest.h"
#include "ctlrunner.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("w4ctl"));
    // The session's developer output would mix with what scripts read;
    // QT_LOGGING_RULES can still turn it on.
    QLoggingCategory::setFilterRules(QStringLiteral("w4.*.debug=false"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    const w4ctl::Parsed parsed =
        w4ctl::parseArguments(app.arguments().mid(1), qEnvironmentVariable("W4_DEVICE"));
    // Source texts are Chinese; English and Russian come from the catalogues.
    QTranslator translator;
    if (parsed.request.lang != QLatin1String("zh") &&
        translator.load(QStringLiteral(":/ctl/ctl_%1.qm").arg(parsed.request.lang)))
        QCoreApplication::installTranslator(&translator);

    // The parse ran before the catalogue was known: ask again for its message.
    const w4ctl::Parsed checked =
        w4ctl::parseArguments(app.arguments().mid(1), qEnvironmentVariable("W4_DEVICE"));
    if (!checked.error.isEmpty()) {
        err << checked.error << Qt::endl;
        return w4ctl::ExitBadInput;
    }
    if (checked.request.help) {
        out << w4ctl::helpText(checked.request.command.section(QLatin1Char(' '), 0, 0));
        return w4ctl::ExitOk;
    }
    w4ctl::Runner runner(checked.request, out, err);
    return runner.run();
}
