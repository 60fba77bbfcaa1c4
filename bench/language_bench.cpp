// Measures what reading the language file on every lookup costs, to decide
// whether a cache is worth having:
//   gonioma_bench <folder holding the .lng files and LangSetting.ini>
// It prints the mean time of one message lookup and of translating the main
// menu (pacing of the drawing yields off).
#include "app/FormMenu.h"
#include "language/LanguageSupport.h"
#include "language/TranslateForm.h"
#include "platform/services/AppDir.h"
#include "platform/services/EventYield.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {
template <class F> double meanMicroseconds(int rounds, F&& work)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        work();
    return double(timer.nsecsElapsed()) / 1000.0 / rounds;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gonioma_bench <data folder>\n");
        return 2;
    }
    platform::AppDir::setPathForTesting(QString::fromLocal8Bit(argv[1]));
    platform::EventYield::setPaceMs(0);
    platform::MessageBox::setHandlerForTesting([](const platform::MessageRequest&) {
        return platform::MessageAnswer::Ok;
    });
    language::CurrentLanguageFile = language::readLanguageSetting();

    const int lookups = 2000;
    const double lookup = meanMicroseconds(lookups, [] { (void)language::LookupString(QStringLiteral("0076")); });
    std::printf("LookupString: %.1f us per call (%d calls, language %s)\n", lookup, lookups,
                qPrintable(language::CurrentLanguageFile));

    auto& menu = *platform::Form::load<app::FormMenu>();
    const int translations = 50;
    const double translate = meanMicroseconds(translations, [&] { language::TranslateForm(&menu); });
    std::printf("TranslateForm(FormMenu): %.2f ms per call (%d calls, %lld controls)\n", translate / 1000.0,
                translations, static_cast<long long>(menu.controls().size()));
    menu.unload();
    return 0;
}
