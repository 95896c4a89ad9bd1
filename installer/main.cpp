// The installer's entry: brings the UI library up, lets one installer run at a
// time, starts the statistics reporter and runs the wizard until it closes.
#include "CMainDlg.h"
#include "CMsgBox.h"
#include "ImgDecoderChooser.h"
#include "NamedIds.h"
#include "SSkinNewScrollbar.h"

#include "core/SApplication.h"
#include "core/SObjectDefaultRegister.h"
#include "render/IRenderFactory.h"
#include "render/RenderFactoryCreators.h"
#include "res.mgr/IResProvider.h"
#include "report/DataDelivery.h"
#include "report/ReportBodies.h"

#include "Win32Handles.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <memory>

using namespace SAKU;

namespace {

constexpr wchar_t kMutexName[] = L"tivalainstaller2.0";
// "创建互斥量错误,程序退出!" in code page 936, as the console of a Chinese system shows it.
constexpr char kMutexErrorText[] = "\xb4\xb4\xbd\xa8\xbb\xa5\xb3\xe2\xc1\xbf\xb4\xed\xce\xf3,\xb3\xcc\xd0\xf2\xcd\xcb\xb3\xf6!\n";

// Files the installer opens by relative name are beside it, wherever it was started from.
void EnterOwnFolder()
{
    wchar_t path[520] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, 520);
    if (length == 0 || length >= 520)
        return;
    if (wchar_t* const slash = wcsrchr(path, L'\\'))
        slash[1] = L'\0';
    (void)::SetCurrentDirectoryW(path);   // the relative names then fail on their own
}

SAutoRef<IResProvider> ModuleProvider(HMODULE module)
{
    SAutoRef<IResProvider> provider;
    if (!CreateResProvider(kResProviderPE, provider.Put()) || !provider->Init(reinterpret_cast<WPARAM>(module), 0))
        return SAutoRef<IResProvider>();
    return provider;
}

// The library's own skins and templates, from their optional module, which is
// not needed once they are read.
void LoadSystemResources(SApplication& app)
{
    const UniqueModule module(::LoadLibraryW(L"saku-sys-resource.dll"));
    if (!module)
        return;
    if (const SAutoRef<IResProvider> provider = ModuleProvider(module.Get()))
        (void)app.LoadSystemResources(provider.Get());   // whatever it lacks, the installer draws its own
}

// Runs the wizard until it is destroyed; the main loop's exit code. The
// instance's mutex goes before the wizard's objects do.
int RunWizard(SApplication& app, UniqueHandle& mutex)
{
    CMainDlg dialog;
    const HWND window = dialog.Create(::GetActiveWindow(), 0, 0, 0, 0);
    if (!window)
        return 0;
    ::SendMessageW(window, WM_INITDIALOG, 0, 0);
    dialog.CenterWindow(window);
    ::ShowWindow(window, SW_SHOWNORMAL);
    const int result = app.RunMainLoop(window);
    mutex.Reset();
    return result;
}

int RunInstaller(HINSTANCE instance)
{
    // Which installer runs is settled before the library decodes a single image,
    // so that a second start answers at once instead of after a whole start-up.
    UniqueHandle mutex(::CreateMutexW(nullptr, TRUE, kMutexName));
    if (!mutex) {
        std::fputs(kMutexErrorText, stdout);
        std::fflush(stdout);
        return 0;
    }
    const bool anotherRuns = ::GetLastError() == ERROR_ALREADY_EXISTS;

    const SStringW decoderName(L"imgdecoder-gdip");
    EnterOwnFolder();

    SAutoRef<IImgDecoderFactory> decoders;
    SAutoRef<IRenderFactory> renderFactory;
    if (!CreateRenderFactory_GDI(renderFactory.Put()))
        return 0;
    if (ChooseImgDecoder(decoderName, decoders.Put()))
        renderFactory->SetImgDecoderFactory(decoders.Get());

    SAutoRef<IResProvider> ownResources;
    const auto app = std::make_unique<SApplication>(renderFactory.Get(), instance, L"SAKUHOST", new SObjectDefaultRegister);
    // The manager keeps a clone; this one may die with the scope.
    (void)app->RegisterFactory(TplSObjectFactory<SSkinNewScrollbar>(), false);   // a failure is logged by the manager
    LoadSystemResources(*app);
    ownResources = ModuleProvider(instance);
    app->InitNamedIDs(kNamedIds.data(), static_cast<int>(kNamedIds.size()), true);
    app->AddResProvider(ownResources.Get(), L"uidef:xml_init");

    if (anotherRuns) {
        CMsgBox box(nullptr, L"提示", L"安装程序已经启动！", CMsgBox::kOneButton);
        (void)box.DoModal(nullptr);   // a notice: every way of closing it ends the installer
        return 0;
    }

    tivala::DataDelivery& reporter = tivala::DataDelivery::GetInstance();
    (void)reporter.Start();       // without the reporter the installer still installs; its reports are lost
    (void)tivala::ReadMachineId();   // reports then go without the machine id

    return RunWizard(*app, mutex);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // OLE (and with it COM) for the life of the process; whether it came up does
    // not matter, since nothing the installer does at start-up depends on it.
    const ComApartment ole(ComApartment::Kind::Ole);
    return RunInstaller(instance);
}
