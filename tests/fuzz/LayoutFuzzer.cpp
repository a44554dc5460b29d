// Any bytes as a layout resource: parsed as XML, built into a window tree of the framework's real
// classes (controls, skins, layouts, the wizard's GIF player) and laid out at the main window's
// size, at nothing, and at a large size. Building and placing must neither crash nor hang.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "dui/include/core/IImgDecoderFactory.h"
#include "dui/include/core/SObjectDefaultRegister.h"
#include "dui/include/core/SWnd.h"
#include "dui/src/control/SGifPlayer.h"
#include "dui/src/skin/SSkinGif.h"
#include "tests/dui/support/CoreTestEnv.h"

namespace {

struct Framework {
    Framework() : factory(CreateRenderFactory(CreateImgDecoderFactory())), context(factory.get()) {
        SObjectFactoryMgr& objects = context.GetObjectFactory();
        SObjectDefaultRegister().RegisterAll(objects);
        objects.Register<SGifPlayer>();
        objects.Register<SSkinGif>();
    }
    std::unique_ptr<IRenderFactory> factory;
    SAppContext context;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Framework framework;
    TestTreeHost host(*framework.factory);
    if (!host.Load(std::string(reinterpret_cast<const char*>(data), size), 666, 474)) return 0;
    host.Move(RECT{0, 0, 0, 0});
    host.Move(RECT{0, 0, 4000, 3000});
    return 0;
}
