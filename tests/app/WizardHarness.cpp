#include "tests/app/WizardHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "dui/include/core/SApplication.h"
#include "support/TextConvert.h"
#include "support/platform/FolderPicker.h"
#include "support/platform/Process.h"
#include "tests/testing/Environment.h"

using larkholm::testing::SetEnv;
using larkholm::testing::UnsetEnv;

namespace {

std::string ScreenshotDir() {
    const char* build = std::getenv("LARKHOLM_TEST_BINARY_DIR");
    return std::string(build ? build : ".") + "/screenshots";
}

}  // namespace

WizardHarness::WizardHarness(Components components, unsigned speedUp)
    : fastClock(speedUp), machine(components) {
    SetEnv("LARKHOLM_SERVICE_URL", httpServer.Url(kServicePath).c_str());
    SetEnv("LARKHOLM_WIC_URL", httpServer.Url(kWicPath).c_str());
    SetEnv("LARKHOLM_DOTNET_URL", httpServer.Url(kDotNetPath).c_str());
    SetEnv("LARKHOLM_AGREEMENT_URL", httpServer.Url("/shop/resources/html/procotal.html").c_str());
    SetShellOpenHandler([this](const std::wstring& target) {
        std::lock_guard lock(openedMutex);
        opened.push_back(target);
        return true;
    });
    SetFolderPickerHandler([this] { return folderAnswer; });
}

WizardHarness::~WizardHarness() {
    driver.reset();
    alternate.reset();
    application.reset();
    SetShellOpenHandler(nullptr);
    SetFolderPickerHandler(nullptr);
    for (const char* name :
         {"LARKHOLM_SERVICE_URL", "LARKHOLM_WIC_URL", "LARKHOLM_DOTNET_URL", "LARKHOLM_AGREEMENT_URL"}) {
        UnsetEnv(name);
    }
}

void WizardHarness::Start(SIZE screen) {
    auto host = std::make_unique<HostHeadless>(screen);
    headless = host.get();
    application = std::make_unique<WizardApplication>(std::move(host), run);
    ASSERT_TRUE(application->Start());
    driver = std::make_unique<HeadlessDriver>(*headless, window());
    driver->Pump();
}

void WizardHarness::StartRun(const WizardRun& wizardRun) {
    // A run after another on the same machine: the first wizard goes before the next is made.
    driver.reset();
    application.reset();
    run = wizardRun;
    Start();
}

void WizardHarness::StartWithLayout(const std::string& folder) {
    Start();
    SAutoRefPtr<IResProvider> files = CreateResProvider(kResProviderFiles);
    ASSERT_EQ(files->Init(AnsiToWide(folder)), 1) << folder;
    SApplication::Current()->GetResProviderMgr().RegisterProvider(files.get());
    alternate = std::make_unique<CMainDlg>();
    ASSERT_NE(alternate->Create(nullptr, 0, 0, 0, 0), nullptr);
    alternate->SendMessage(WM_INITDIALOG);
    alternate->ShowWindow(SW_SHOWNORMAL);
    driver = std::make_unique<HeadlessDriver>(*headless, *alternate);
    driver->Pump();
}

SWindow* WizardHarness::Find(const std::wstring& name) {
    SWindow* found = driver->Find(name);
    EXPECT_NE(found, nullptr) << "no window named " << std::string(name.begin(), name.end());
    return found;
}

std::wstring WizardHarness::Text(const std::wstring& name) {
    SWindow* found = Find(name);
    return found ? found->GetText() : std::wstring();
}

bool WizardHarness::Shown(const std::wstring& name) {
    SWindow* found = Find(name);
    return found && found->IsShown();
}

bool WizardHarness::Checked(const std::wstring& name) {
    SWindow* found = Find(name);
    return found && found->IsChecked();
}

bool WizardHarness::WaitShown(const std::wstring& name, int timeoutMs) {
    return RunUntil([&] { return driver->Find(name) && driver->Find(name)->IsShown(); }, timeoutMs);
}

bool WizardHarness::RunUntil(const std::function<bool()>& done, int timeoutMs) {
    return driver->RunUntil(done, timeoutMs);
}

std::wstring WizardHarness::Submit(const std::wstring& button) {
    EXPECT_TRUE(driver->Click(button));
    return Shown(L"win_install_message") ? Text(L"lb_message") : std::wstring();
}

void WizardHarness::CloseMessage() {
    EXPECT_TRUE(driver->Click(L"btn_msgdlg_yes"));
    EXPECT_FALSE(Shown(L"win_install_message"));
}

std::optional<int> WizardHarness::WaitForQuit(int timeoutMs) {
    // A click that quits has had its WM_QUIT taken already by the pump that handled the click;
    // otherwise the host's own loop keeps the code of the WM_QUIT that ends it.
    if (headless->QuitCode()) return headless->QuitCode();
    headless->RunUntil([] { return false; }, timeoutMs);
    return headless->QuitCode();
}

void WizardHarness::ServeSlowly(const std::string& path, std::string body, int pieces) {
    auto content = std::make_shared<std::string>(std::move(body));
    const size_t piece = (content->size() + pieces - 1) / pieces;
    httpServer.Handle(path, [content, piece](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(
            content->size(), "application/octet-stream",
            [content, piece](size_t offset, size_t length, httplib::DataSink& sink) {
                std::this_thread::sleep_for(std::chrono::milliseconds(40));
                sink.write(content->data() + offset, std::min(piece, length));
                return true;
            });
    });
}

void WizardHarness::SetEdit(const std::wstring& name, const std::wstring& text) {
    if (SWindow* edit = Find(name)) edit->SetText(text);
}

std::string WizardHarness::Screenshot(const std::string& name) {
    std::filesystem::create_directories(ScreenshotDir());
    const std::string path = ScreenshotDir() + "/" + name + ".png";
    EXPECT_TRUE(driver->SaveFrame(path)) << path;
    return path;
}

std::vector<std::wstring> WizardHarness::OpenedTargets() {
    std::lock_guard lock(openedMutex);
    return opened;
}

void WizardHarness::AnswerFolderPicker(const std::wstring& folder) {
    folderAnswer = folder;
}
