#include "shell/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include "editor/template_dialogs.h"
#include "interp/gui/debug_windows.h"
#include "common/gui/regional.h"
#include "interp/gui/session.h"
#include "shell/Main.h"
#include "shell/about.h"
#include "shell/recovery.h"
#include "shell/splash.h"
#include "utilities/Calend.h"
#include "utilities/Horloge1.h"
#include "utilities/Pocket1.h"

namespace orv {

TMainForm* CreateWindows(const std::function<void(const QString&)>& created) {
  auto step = [&created](const char* name) {
    if (created) created(QString::fromLatin1(name));
  };
  auto* main = new TMainForm;
  step("TMainForm");
  main->AboutBox = new TAboutBox(main);
  step("TAboutBox");
  TemplateWindows::SetOwner(main);
  TemplateWindows::ListeSel();
  step("TListeSel");
  TableSymbolesWindow();
  step("TTableSymboles");
  VariableWindow();
  step("TVariable");
  TemplateWindows::MotsCle();
  step("TMotsCle");
  TemplateWindows::BoucleFor();
  step("TBoucleFor");
  TemplateWindows::BoucleWhile();
  step("TBoucleWhile");
  TemplateWindows::ConditionIf();
  step("TConditionIf");
  TemplateWindows::FileIO();
  step("TFileIO");
  Interpreter();
  step("TForm3");
  Form12Window();
  step("TForm12");
  main->Calendrier = new TCalendrier(main);
  step("TCalendrier");
  main->Horloge = new THorloge(main);
  step("THorloge");
  main->Pocket = new TPocket(main);
  step("TPocket");
  return main;
}

void InstallFrenchTranslations() {
  static QTranslator* translator = nullptr;
  if (translator) return;
  translator = new QTranslator(qApp);
  if (translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
}

int RunEnvironment(int& argc, char** argv, const std::function<void(TMainForm&)>& shown) {
  QApplication app(argc, argv);
  QLocale::setDefault(RegionalLocale());  // French dates and numbers in Qt's own dialogs too
  InstallFrenchTranslations();
  auto* splash = new TSplash;
  splash->ShowNow();
  QApplication::setApplicationName("Orv Java");
  QApplication::setOrganizationName("OrvJava");
  TMainForm* main = CreateWindows();
  splash->close();
  delete splash;
  main->ShowAtRememberedPlace();
  main->SetRecovery(new TRecovery(TRecovery::DefaultFolder(), main));
  const QStringList files = QCoreApplication::arguments().mid(1);
  QTimer::singleShot(0, main, [main, files] {
    main->OfferRecoveredTexts();
    main->OpenFiles(files);
  });
  if (shown) QTimer::singleShot(0, main, [main, &shown] { shown(*main); });
  // The frame is the application: when it closes the program ends, even with
  // the output screen, a debug view or the help still open.
  QObject::connect(main, &TMainForm::Closed, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  const int status = app.exec();
  delete main;
  return status;
}

}  // namespace orv
