// Consistency of the wizard's resource package: the framework tolerates a missing picture, skin,
// string or style class by drawing nothing, so a renamed file or a typo in a table would only show
// as a blank spot on screen. These tests read app/res the way the framework resolves it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <pugixml.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kRes = std::string(LARKHOLM_SOURCE_DIR) + "/app/res/";

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// "type:name" in lower case -> file path, from the package index.
std::map<std::string, std::string> LoadIndex() {
    std::map<std::string, std::string> index;
    std::istringstream lines(ReadFile(kRes + "index"));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string type, name, file, extra;
        fields >> type >> name >> file;
        EXPECT_FALSE(file.empty()) << "incomplete index line: " << line;
        EXPECT_FALSE(fields >> extra) << "extra field in index line: " << line;
        const bool fresh = index.emplace(Lower(type + ":" + name), kRes + file).second;
        EXPECT_TRUE(fresh) << "listed twice: " << type << ":" << name;
    }
    return index;
}

pugi::xml_document LoadXml(const std::string& path) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_file(path.c_str())) << path;
    return doc;
}

struct PictureSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

uint32_t BigEndian32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

// Width and height from a PNG's IHDR chunk; zero when the file is not a PNG.
PictureSize PngSize(const std::string& path) {
    const std::string bytes = ReadFile(path);
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return {};
    }
    return {BigEndian32(bytes, 16), BigEndian32(bytes, 20)};
}

class ResourcePackage : public ::testing::Test {
protected:
    std::map<std::string, std::string> index = LoadIndex();
    pugi::xml_document skins = LoadXml(kRes + "values/skin.xml");
    pugi::xml_document strings = LoadXml(kRes + "values/string.xml");
    pugi::xml_document uidef = LoadXml(kRes + "uidef/xml_init.xml");
    pugi::xml_document layout = LoadXml(kRes + "layout/xml_mainwnd.xml");

    std::set<std::string> SkinNames() const {
        std::set<std::string> names;
        for (pugi::xml_node skin : skins.child("skin").children())
            names.insert(skin.attribute("name").value());
        return names;
    }
};

TEST_F(ResourcePackage, EveryIndexedFileExistsAndPicturesDecodeAsTheirType) {
    for (const auto& [id, path] : index) {
        const std::string bytes = ReadFile(path);
        ASSERT_FALSE(bytes.empty()) << id << " -> " << path;
        const std::string type = id.substr(0, id.find(':'));
        if (type == "img") {
            EXPECT_GT(PngSize(path).width, 0u) << id;
        } else if (type == "gif") {
            EXPECT_EQ(bytes.compare(0, 6, "GIF89a"), 0) << id;
        } else if (type == "icon") {
            EXPECT_EQ(bytes.compare(0, 4, std::string("\0\0\1\0", 4)), 0) << id;
        }
    }
}

TEST_F(ResourcePackage, EverySkinFindsItsPictureAndFitsItsStatesAndMargins) {
    int checked = 0;
    for (pugi::xml_node skin : skins.child("skin").children()) {
        const std::string name = skin.attribute("name").value();
        const std::string src = Lower(skin.attribute("src").value());
        // The tray-menu skin names a picture the package has never had; nothing refers to it.
        if (name == "skin_traymenu_icons") continue;
        ASSERT_TRUE(index.count(src)) << name << " refers to missing " << src;
        if (std::string(skin.name()) == "gif") continue;

        const PictureSize size = PngSize(index[src]);
        const uint32_t states = skin.attribute("states").as_uint(1);
        ASSERT_EQ(size.width % states, 0u) << name << ": strip does not split into " << states << " frames";
        const uint32_t frameWidth = size.width / states;
        int left = skin.attribute("left").as_int(), top = skin.attribute("top").as_int();
        int right = skin.attribute("right").as_int(), bottom = skin.attribute("bottom").as_int();
        if (skin.attribute("margin")) {
            ASSERT_EQ(
                std::sscanf(skin.attribute("margin").value(), "%d,%d,%d,%d", &left, &top, &right, &bottom),
                4);
        }
        EXPECT_LT(static_cast<uint32_t>(left + right), frameWidth)
            << name << ": margins leave no middle column";
        EXPECT_LT(static_cast<uint32_t>(top + bottom), size.height)
            << name << ": margins leave no middle row";
        ++checked;
    }
    EXPECT_EQ(checked, 34);  // every skin but the animation and the unused tray-menu strip
}

TEST_F(ResourcePackage, LayoutRefersOnlyToKnownSkinsStringsAndClasses) {
    const std::set<std::string> skinNames = SkinNames();
    std::set<std::string> keys;
    for (pugi::xml_node entry : strings.child("string").children()) keys.insert(entry.name());
    std::set<std::string> classes;
    for (pugi::xml_node cls : uidef.child("UIDEF").child("style").children("class")) {
        classes.insert(cls.attribute("name").value());
    }

    int references = 0;
    auto visit = [&](pugi::xml_node node, auto&& self) -> void {
        for (pugi::xml_attribute attr : node.attributes()) {
            const std::string name = attr.name();
            const std::string value = attr.value();
            if (name == "skin" || name == "focusSkin" || name == "bkgndSkin" || name == "posSkin") {
                EXPECT_TRUE(skinNames.count(value)) << node.name() << " " << name << "=" << value;
                ++references;
            } else if (name == "class") {
                EXPECT_TRUE(classes.count(value)) << "unknown class " << value;
                ++references;
            } else if (value.rfind("@string/", 0) == 0) {
                EXPECT_TRUE(keys.count(value.substr(8))) << "unknown string " << value;
                ++references;
            }
        }
        for (pugi::xml_node child : node.children()) self(child, self);
    };
    visit(layout.child("DUI"), visit);
    EXPECT_GT(references, 60);
}

TEST_F(ResourcePackage, UiDefinitionTablesPointIntoThePackage) {
    pugi::xml_node root = uidef.child("UIDEF");
    for (const char* section : {"string", "skin", "color"}) {
        const std::string src = Lower(root.child(section).attribute("src").value());
        ASSERT_TRUE(index.count(src)) << section << " table " << src;
        // The table resource's root element carries the section's name.
        EXPECT_TRUE(LoadXml(index[src]).child(section)) << src;
    }
    EXPECT_TRUE(index.count("layout:xml_mainwnd"));
    EXPECT_TRUE(index.count("uidef:xml_init"));
}

}  // namespace
