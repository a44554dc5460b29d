#include "dui/include/core/SApplication.h"

#include "dui/include/core/SHostWnd.h"
#include "dui/include/core/SLog.h"

namespace {
SApplication* current = nullptr;
}

SApplication::SApplication(IRenderFactory* renderFactory, std::wstring hostClassName,
                           const SObjectDefaultRegister& registerer, std::unique_ptr<IHost> host)
    : SAppContext(renderFactory),
      hostClassName_(std::move(hostClassName)),
      host_(std::move(host)),
      previous_(current) {
    if (!host_) host_ = CreatePlatformHost();
    if (!host_)
        SLogFormat(SLogLevel::kError, L"src\\core\\SApp", __LINE__,
                   L"no display: the host window system cannot be opened");
    if (host_) msgLoop_ = std::make_unique<SMessageLoop>(*host_);
    registerer.RegisterAll(GetObjectFactory());
    current = this;
}

SApplication::~SApplication() {
    current = previous_;
}

SApplication* SApplication::Current() {
    return current;
}

SHostWnd* SApplication::FindHostWnd(HWND hwnd) const {
    const auto it = hostWnds_.find(hwnd);
    return it == hostWnds_.end() ? nullptr : it->second;
}

int SApplication::Run(HWND mainWnd) {
    if (!msgLoop_) return -1;
    mainWnd_ = mainWnd;
    const int exitCode = msgLoop_->Run();
    if (SHostWnd* wnd = FindHostWnd(mainWnd)) wnd->DestroyWindow();
    mainWnd_ = nullptr;
    return exitCode;
}

void SApplication::PostQuitMessage(int exitCode) {
    if (host_) host_->PostQuitMessage(exitCode);
}
