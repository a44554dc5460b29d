#include "tests/dui/support/CoreTestEnv.h"

#include <mutex>

#include "dui/src/layout/SAnchorLayout.h"
#include "dui/src/layout/SHBox.h"
#include "dui/src/layout/SLinearLayout.h"
#include "dui/src/layout/SVBox.h"
#include "dui/src/skin/SSkinGif.h"
#include "dui/src/skin/SSkinImgFrame.h"
#include "dui/src/skin/SSkinImgList.h"
#include "support/DebugOutput.h"
#include "support/TextConvert.h"

namespace {

std::mutex logLock;
std::vector<std::string> logLines;

}  // namespace

AttrResult TestSizedWindow::OnClassAttribute(std::wstring_view name, const std::wstring& value,
                                             bool loading) {
    if (name != L"desired") return SWindow::OnClassAttribute(name, value, loading);
    const std::vector<std::wstring> parts = Split(value, L',');
    if (parts.size() != 2) return AttrResult::kFailed;
    desired = SIZE{static_cast<LONG>(ParseIntAuto(parts[0])), static_cast<LONG>(ParseIntAuto(parts[1]))};
    return AttrResult::kOk;
}

SIZE TestSizedWindow::MeasureContent(int width, int height) {
    offers.push_back(SIZE{width, height});
    return GetChildrenCount() ? SWindow::MeasureContent(width, height) : desired;
}

bool TestTreeHost::Load(const std::string& xml, int width, int height) {
    if (!ParseXml(doc, xml.data(), xml.size())) return false;
    if (!LoadFromXml(doc.first_child())) return false;
    Move(RECT{0, 0, width, height});
    return true;
}

bool TestTreeHost::TestContainer::OnFireEvent(EventArgs& evt) {
    events.push_back(std::wstring(evt.GetName()) + L"@" + evt.nameFrom);
    return false;
}

CoreTestEnv::CoreTestEnv(const std::wstring& uidefId)
    : factory(CreateRenderFactory(CreateImgDecoderFactory())),
      context(std::make_unique<SAppContext>(factory.get())),
      provider(CreateResProvider(kResProviderPE)) {
    SetDebugOutputObserver([](std::string_view text) {
        std::lock_guard guard(logLock);
        logLines.emplace_back(text);
    });
    SObjectFactoryMgr& objects = context->GetObjectFactory();
    objects.Register<SWindow>();
    objects.Register<TestSizedWindow>();
    objects.Register<SSkinImgList>();
    objects.Register<SSkinImgFrame>();
    objects.Register<SSkinGif>();
    objects.Register<SAnchorLayout>();
    objects.Register<SLinearLayout>();
    objects.Register<SVBox>();
    objects.Register<SHBox>();
    provider->Init(L"");
    if (!uidefId.empty()) context->GetResProviderMgr().RegisterProvider(provider.get(), uidefId);
}

CoreTestEnv::~CoreTestEnv() {
    SetDebugOutputObserver(nullptr);
    ClearLog();
}

const std::vector<std::string>& CoreTestEnv::Log() const {
    return logLines;
}

void CoreTestEnv::ClearLog() {
    std::lock_guard guard(logLock);
    logLines.clear();
}

bool CoreTestEnv::Logged(const std::string& text) const {
    std::lock_guard guard(logLock);
    for (const std::string& line : logLines)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

std::string RectText(const RECT& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}
