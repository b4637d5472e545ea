// Host tool: turns the text pixel maps of toolbar_art.txt into the BMP files
// the resource compiler puts into Toolbars.dll and Scrivo.exe.
//   make_toolbar_art <output folder> <art file>...
// writes <name>.bmp for every "bitmap" line and <name>.ico for every "icon"
// line. Four-bit bitmaps use the sixteen standard colours; eight-bit ones those
// and the art's own. An icon holds its glyph at 16, 32 and 48 pixels (each
// pixel made a square), magenta transparent. Glyphs are 16 x 16 unless drawn
// otherwise (their rows end at a blank line); a bitmap line may give its cell
// size ("cell=20x20"), and each picture is centred in its cell on magenta.
// Several art files may be given; their glyphs are shared.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 16;
constexpr std::uint32_t kMagenta = 0xFF00FF;
// Colours 0xRRGGBB, row by row.
struct Glyph {
    int width = kSide, height = kSide;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

const std::uint32_t kStandard[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                     0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

[[noreturn]] void Fail(const std::string& why) {
    std::cerr << "make_toolbar_art: " << why << "\n";
    std::exit(1);
}

int Luminance(std::uint32_t c) { return (((c >> 16) & 255) * 30 + ((c >> 8) & 255) * 59 + (c & 255) * 11) / 100; }

// The hover picture: the dark standard colours give way to their bright twins.
Glyph Hot(const Glyph& glyph) {
    static const std::map<std::uint32_t, std::uint32_t> brighter = {
        {0x000080, 0x0000FF}, {0x800000, 0xFF0000}, {0x008000, 0x00FF00},
        {0x808000, 0xFFFF00}, {0x008080, 0x00FFFF}, {0x808080, 0xC0C0C0}};
    Glyph out = glyph;
    for (auto& c : out.pixels)
        if (auto it = brighter.find(c); it != brighter.end()) c = it->second;
    return out;
}

// The greyed picture: dark pixels grey, light ones transparent, and a white
// edge where the shape meets transparency below and to the right.
Glyph Disabled(const Glyph& glyph) {
    Glyph out{glyph.width, glyph.height, std::vector<std::uint32_t>(glyph.pixels.size(), kMagenta)};
    for (size_t i = 0; i < glyph.pixels.size(); ++i)
        if (glyph.pixels[i] != kMagenta && Luminance(glyph.pixels[i]) < 192) out.pixels[i] = 0x808080;
    Glyph edged = out;
    for (int y = 0; y + 1 < out.height; ++y)
        for (int x = 0; x + 1 < out.width; ++x)
            if (out.At(x, y) == 0x808080 && out.At(x + 1, y + 1) == kMagenta)
                edged.pixels[static_cast<size_t>((y + 1) * out.width + x + 1)] = 0xFFFFFF;
    return edged;
}

// The glyph in the middle of a cell of the given size, magenta around it.
Glyph Centred(const Glyph& glyph, int width, int height) {
    if (glyph.width > width || glyph.height > height) Fail("a glyph larger than its cell");
    Glyph out{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width * height), kMagenta)};
    const int left = (width - glyph.width) / 2, top = (height - glyph.height) / 2;
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            out.pixels[static_cast<size_t>((top + y) * width + left + x)] = glyph.At(x, y);
    return out;
}

void Put16(std::string& out, std::uint16_t v) { out.append({char(v & 255), char(v >> 8)}); }
void Put32(std::string& out, std::uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 255)); }

std::string Bitmap(const std::vector<Glyph>& pictures, int bits) {
    const int side = pictures.front().width, height = pictures.front().height;
    const int width = side * static_cast<int>(pictures.size());
    std::vector<std::uint32_t> palette(kStandard, kStandard + 16);
    if (bits == 8) {
        for (const auto& glyph : pictures)
            for (auto c : glyph.pixels)
                if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
        if (palette.size() > 256) Fail("more than 256 colours in an eight-bit bitmap");
        palette.resize(256, 0);
    }
    const int stride = ((width * bits + 31) / 32) * 4;
    std::string pixels(static_cast<size_t>(stride * height), '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pictures[static_cast<size_t>(x / side)].At(x % side, y);
            const auto at = std::find(palette.begin(), palette.end(), c);
            if (at == palette.end()) Fail("a colour outside the sixteen standard ones in a four-bit bitmap");
            const int index = static_cast<int>(at - palette.begin());
            char& byte = pixels[static_cast<size_t>((height - 1 - y) * stride + x * bits / 8)];
            if (bits == 8) byte = static_cast<char>(index);
            else byte = static_cast<char>(byte | (x % 2 ? index : index << 4));
        }
    std::string out = "BM";
    const std::uint32_t header = 14 + 40 + static_cast<std::uint32_t>(palette.size()) * 4;
    Put32(out, header + static_cast<std::uint32_t>(pixels.size()));
    Put32(out, 0);
    Put32(out, header);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint16_t>(bits));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(pixels.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<std::uint32_t>(palette.size()));
    Put32(out, 0);
    for (auto c : palette) Put32(out, c);  // stored blue, green, red, 0: the same little-endian 0x00RRGGBB
    return out + pixels;
}

// One icon image: a 32-bit picture scaled by the factor, its alpha from the
// magenta, then the (unused, all zero) AND mask.
std::string IconImage(const Glyph& glyph, int scale) {
    const int side = kSide * scale;
    std::string out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(side));
    Put32(out, static_cast<std::uint32_t>(side * 2));
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    for (int y = side - 1; y >= 0; --y)
        for (int x = 0; x < side; ++x) {
            const std::uint32_t c = glyph.At(x / scale, y / scale);
            Put32(out, c == kMagenta ? 0 : (0xFF000000u | c));
        }
    const int maskStride = ((side + 31) / 32) * 4;
    out.append(static_cast<size_t>(maskStride * side), '\0');
    return out;
}

std::string Icon(const Glyph& glyph) {
    const int scales[] = {1, 2, 3};
    std::vector<std::string> images;
    for (int scale : scales) images.push_back(IconImage(glyph, scale));
    std::string out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 3);
    std::uint32_t offset = 6 + 16 * 3;
    for (size_t i = 0; i < images.size(); ++i) {
        const int side = kSide * scales[i];
        out.push_back(static_cast<char>(side));
        out.push_back(static_cast<char>(side));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) out += image;
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) Fail("usage: make_toolbar_art <output folder> <art file>...");
    const std::string folder = argv[1];
    std::map<char, std::uint32_t> colours;
    std::map<std::string, Glyph> glyphs;
    std::string line;
    int written = 0;
    for (int file = 2; file < argc; ++file) {
    std::ifstream in(argv[file]);
    if (!in) Fail(std::string("cannot read ") + argv[file]);
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "palette") {
            while (std::getline(in, line) && line != "end") colours[line[0]] = std::stoul(line.substr(2), nullptr, 16);
        } else if (word == "glyph") {
            std::string name;
            words >> name;
            Glyph glyph{0, 0, {}};
            while (std::getline(in, line) && !line.empty()) {
                if (glyph.height == 0) glyph.width = static_cast<int>(line.size());
                if (static_cast<int>(line.size()) != glyph.width) Fail("glyph " + name + ": rows of one width wanted");
                for (char ch : line) {
                    const auto c = colours.find(ch);
                    if (c == colours.end()) Fail("glyph " + name + ": no colour for '" + ch + "'");
                    glyph.pixels.push_back(c->second);
                }
                ++glyph.height;
            }
            if (glyph.height == 0) Fail("glyph " + name + ": no rows");
            glyphs[name] = glyph;
        } else if (word == "icon") {
            std::string name, base;
            words >> name >> base;
            const auto glyph = glyphs.find(base);
            if (glyph == glyphs.end()) Fail("icon " + name + ": no glyph " + base);
            if (glyph->second.width != kSide || glyph->second.height != kSide) Fail("icon " + name + ": 16 x 16 wanted");
            std::ofstream out(folder + "/" + name + ".ico", std::ios::binary);
            const std::string bytes = Icon(glyph->second);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!out) Fail("cannot write " + name + ".ico");
        } else if (word == "bitmap") {
            std::string name, picture;
            int bits = 0;
            words >> name >> bits;
            if (bits != 4 && bits != 8) Fail("bitmap " + name + ": 4 or 8 bits");
            std::vector<Glyph> pictures;
            int cellWidth = kSide, cellHeight = kSide;
            while (words >> picture) {
                if (picture.rfind("cell=", 0) == 0) {
                    if (std::sscanf(picture.c_str(), "cell=%dx%d", &cellWidth, &cellHeight) != 2 || cellWidth < 1 ||
                        cellHeight < 1)
                        Fail("bitmap " + name + ": cell=WxH wanted");
                    continue;
                }
                const size_t colon = picture.find(':');
                const std::string base = colon == std::string::npos ? picture : picture.substr(colon + 1);
                const auto glyph = glyphs.find(base);
                if (glyph == glyphs.end()) Fail("bitmap " + name + ": no glyph " + base);
                const std::string how = colon == std::string::npos ? "" : picture.substr(0, colon);
                pictures.push_back(Centred(how == "hot"        ? Hot(glyph->second)
                                           : how == "disabled" ? Disabled(glyph->second)
                                                               : glyph->second,
                                           cellWidth, cellHeight));
            }
            if (pictures.empty()) Fail("bitmap " + name + ": no pictures");
            std::ofstream out(folder + "/" + name + ".bmp", std::ios::binary);
            const std::string bytes = Bitmap(pictures, bits);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!out) Fail("cannot write " + name + ".bmp");
            ++written;
        }
    }
    }
    if (written == 0) Fail("no bitmaps");
    return 0;
}
