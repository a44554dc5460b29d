#include "app/WizardApplication.h"

#include "app/NamedIdTable.h"
#include "dui/include/core/SUiDef.h"
#include "dui/src/control/SGifPlayer.h"
#include "dui/src/skin/SSkinGif.h"
#include "support/Log.h"
#include "support/StringResolver.h"
#include "support/platform/Module.h"

namespace {

constexpr wchar_t kHostClassName[] = L"DUIHOST";
constexpr wchar_t kUiDefinition[] = L"uidef:xml_init";

}  // namespace

WizardApplication::WizardApplication(std::unique_ptr<IHost> host, WizardRun run)
    : host(std::move(host)), run(std::move(run)) {}

WizardApplication::~WizardApplication() {
    // The main window first (its workers end their threads), then the framework, then what it
    // was built on.
    mainWindow.reset();
    SetStringResolver({});
    if (application) {
        application->GetObjectFactory().UnregisterFactory(SGifPlayer::kClassName, SGifPlayer::kClassKind);
    }
    application.reset();
    resources = nullptr;
    renderFactory.reset();
    imageDecoder.reset();
    componentManager.reset();
}

bool WizardApplication::Start() {
    componentManager = std::make_unique<ComponentManager>(ComponentManager::kImageDecoderName);

    // Relative paths (the framework's "file:" resources among them) start at the executable.
    std::wstring folder;
    if (ModuleDirectory(folder) == 0) SetCurrentFolder(folder);

    imageDecoder = componentManager->CreateImageDecoder();
    renderFactory = componentManager->CreateRenderer(imageDecoder);
    application = std::make_unique<SApplication>(renderFactory.get(), kHostClassName,
                                                 SObjectDefaultRegister(), std::move(host));

    // The framework's system package lives in this executable too.
    {
        SAutoRefPtr<IResProvider> system = CreateResProvider(kResProviderPE);
        system->Init(std::wstring());
        application->LoadSystemResources(system.get());
    }

    SObjectFactoryMgr& factory = application->GetObjectFactory();
    factory.Register<SGifPlayer>();
    factory.Register<SSkinGif>();

    resources = CreateResProvider(kResProviderPE);
    resources->Init(std::wstring());
    application->SetNamedIdTable(kNamedIds, kNamedIdCount, true);
    application->GetResProviderMgr().RegisterProvider(resources.get(), kUiDefinition);
    // Workers and the service client below the framework resolve their "@string/" texts here.
    SetStringResolver([](const std::wstring& text) { return ResolveString(text); });

    mainWindow = std::make_unique<CMainDlg>(run);
    // A zero size lets the layout's own width and height apply.
    if (!mainWindow->Create(nullptr, 0, 0, 0, 0)) {
        Log(L"The main window could not be created (is there a display?)");
        return false;
    }
    mainWindow->SendMessage(WM_INITDIALOG, 0, 0);
    mainWindow->CenterWindow();
    mainWindow->ShowWindow(SW_SHOWNORMAL);
    return true;
}

int WizardApplication::Run() {
    if (!application || !mainWindow) return -1;
    return application->Run(mainWindow->GetHwnd());
}
