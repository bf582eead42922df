#include "tarnui/platform/gdi/FontSystem.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>

#include <sys/mman.h>
#include <unistd.h>

namespace tarn {

FontSystem& FontSystem::Get()
{
    static FontSystem* system = new FontSystem(); // lives until exit: fonts are used from static caches
    return *system;
}

FontSystem::FontSystem()
{
    // Honours FONTCONFIG_FILE, which the tests point at a fixed configuration.
    m_config = FcInitLoadConfigAndFonts();
    m_map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    if (m_map && m_config)
        pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(m_map), m_config);
    if (m_map) {
        // Sizes are absolute pixels, so the resolution only has to be fixed, not right.
        pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(m_map), 96.0);
        m_context = pango_font_map_create_context(m_map);
    }
}

PangoContext* FontSystem::Context()
{
    return m_context;
}

bool FontSystem::HasFamily(const std::string& family)
{
    if (!m_config || family.empty())
        return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(m_config, pattern, objects);
    const bool found = set && set->nfont > 0;
    if (set)
        FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

namespace {

void QueryFaces(const std::string& path, std::vector<FaceInfo>* faces)
{
    FcFontSet* set = FcFontSetCreate();
    FcFreeTypeQueryAll(reinterpret_cast<const FcChar8*>(path.c_str()), ~0u, nullptr, nullptr, set);
    for (int i = 0; i < set->nfont; ++i) {
        FaceInfo face;
        FcChar8* family = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch || !family)
            continue;
        face.family = reinterpret_cast<const char*>(family);
        double weight = 0;
        if (FcPatternGetDouble(set->fonts[i], FC_WEIGHT, 0, &weight) == FcResultMatch)
            face.weight = FcWeightToOpenType(static_cast<int>(weight));
        int slant = 0;
        if (FcPatternGetInteger(set->fonts[i], FC_SLANT, 0, &slant) == FcResultMatch)
            face.italic = slant != FC_SLANT_ROMAN;
        faces->push_back(face);
    }
    FcFontSetDestroy(set);
}

} // namespace

int FontSystem::AddFile(const std::string& path, std::vector<FaceInfo>* faces)
{
    if (!m_config)
        return 0;
    std::vector<FaceInfo> found;
    QueryFaces(path, &found);
    if (found.empty() || !FcConfigAppFontAddFile(m_config, reinterpret_cast<const FcChar8*>(path.c_str())))
        return 0;
    m_appFonts[++m_nextToken] = {path, -1};
    Changed();
    if (faces)
        faces->insert(faces->end(), found.begin(), found.end());
    return m_nextToken;
}

int FontSystem::AddMemory(const void* data, size_t size, std::vector<FaceInfo>* faces)
{
    if (!data || size == 0)
        return 0;
    // fontconfig reads fonts by path: the bytes go into an anonymous file the process keeps open.
    const int fd = memfd_create("tarnui-font", MFD_CLOEXEC);
    if (fd < 0)
        return 0;
    const auto* bytes = static_cast<const char*>(data);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, bytes + done, size - done);
        if (n <= 0) {
            close(fd);
            return 0;
        }
        done += static_cast<size_t>(n);
    }
    const int token = AddFile("/proc/self/fd/" + std::to_string(fd), faces);
    if (!token) {
        close(fd);
        return 0;
    }
    m_appFonts[token].fd = fd;
    return token;
}

bool FontSystem::Remove(int token)
{
    auto it = m_appFonts.find(token);
    if (it == m_appFonts.end())
        return false;
    if (it->second.fd >= 0)
        close(it->second.fd);
    m_appFonts.erase(it);
    // fontconfig cannot drop one application font: clear them and add back the others.
    FcConfigAppFontClear(m_config);
    for (const auto& [t, font] : m_appFonts)
        FcConfigAppFontAddFile(m_config, reinterpret_cast<const FcChar8*>(font.path.c_str()));
    Changed();
    return true;
}

void FontSystem::Changed()
{
    if (m_map)
        pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(m_map));
    if (m_context)
        pango_context_changed(m_context);
}

} // namespace tarn
