// The main window's "Options" menu strip and the gadget windows (the
// settings window), both drawn with Dear ImGui.
#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>

#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {

// ImGui settles a hover, a press or a new layout within a few frames.
constexpr int GadgetFramesAfterChange = 4;

// TrueType data of the system font, kept by LoadSystemFont for ImGui.
const uint8_t* gUiFontData = nullptr;
size_t gUiFontBytes = 0;

namespace {

ImGuiContext* CreateContext(SDL_Window* window, SDL_Renderer* renderer, float fontPixels) {
    ImGuiContext* previous = ImGui::GetCurrentContext();
    ImGuiContext* context = ImGui::CreateContext();
    ImGui::SetCurrentContext(context);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // nothing is written beside the game
    io.LogFilename = nullptr;
    // The game hides and shows the pointer itself.
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    if (gUiFontData) {
        ImFontConfig config;
        config.FontDataOwnedByAtlas = false;
        io.Fonts->AddFontFromMemoryTTF(const_cast<uint8_t*>(gUiFontData), static_cast<int>(gUiFontBytes),
                                       fontPixels, &config, io.Fonts->GetGlyphRangesDefault());
    }
    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 0;
    style.FrameRounding = 3;
    style.Colors[ImGuiCol_WindowBg] = ImVec4(0.09f, 0.08f, 0.16f, 1.0f);
    style.Colors[ImGuiCol_MenuBarBg] = ImVec4(0.12f, 0.11f, 0.22f, 1.0f);
    style.Colors[ImGuiCol_PopupBg] = ImVec4(0.10f, 0.09f, 0.18f, 0.98f);
    style.Colors[ImGuiCol_FrameBg] = ImVec4(0.16f, 0.18f, 0.32f, 1.0f);
    // A slim, deeper grab keeps the slider's value readable on top of it.
    style.GrabMinSize = 7;
    style.Colors[ImGuiCol_SliderGrab] = ImVec4(0.14f, 0.55f, 0.68f, 1.0f);
    style.Colors[ImGuiCol_SliderGrabActive] = ImVec4(0.25f, 0.85f, 0.95f, 1.0f);
    style.Colors[ImGuiCol_CheckMark] = ImVec4(0.25f, 0.85f, 0.95f, 1.0f);
    style.Colors[ImGuiCol_Button] = ImVec4(0.18f, 0.42f, 0.62f, 1.0f);
    ImGui_ImplSDL2_InitForSDLRenderer(window);
    ImGui_ImplSDLRenderer_Init(renderer);
    ImGui::SetCurrentContext(previous);
    return context;
}

void DestroyContext(ImGuiContext* context) {
    if (!context) return;
    ImGuiContext* previous = ImGui::GetCurrentContext();
    ImGui::SetCurrentContext(context);
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext(context);
    ImGui::SetCurrentContext(previous == context ? nullptr : previous);
}

struct ContextScope {
    ImGuiContext* previous;
    explicit ContextScope(ImGuiContext* context) : previous(ImGui::GetCurrentContext()) {
        ImGui::SetCurrentContext(context);
    }
    ~ContextScope() { ImGui::SetCurrentContext(previous); }
};

// What ImGui would draw: two frames with the same fingerprint draw the same pixels.
uint64_t Fingerprint(const ImDrawData* drawn) {
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](const void* data, size_t bytes) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < bytes; ++i) hash = (hash ^ p[i]) * 1099511628211ull;
    };
    for (int i = 0; i < drawn->CmdListsCount; ++i) {
        const ImDrawList* list = drawn->CmdLists[i];
        mix(list->VtxBuffer.Data, static_cast<size_t>(list->VtxBuffer.Size) * sizeof(ImDrawVert));
        mix(list->IdxBuffer.Data, static_cast<size_t>(list->IdxBuffer.Size) * sizeof(ImDrawIdx));
        for (const ImDrawCmd& command : list->CmdBuffer) {
            mix(&command.ClipRect, sizeof command.ClipRect);
            mix(&command.TextureId, sizeof command.TextureId);
            mix(&command.ElemCount, sizeof command.ElemCount);
            mix(&command.IdxOffset, sizeof command.IdxOffset);
            mix(&command.VtxOffset, sizeof command.VtxOffset);
        }
    }
    return hash;
}

}  // namespace

// ------------------------------------------------------------- menu strip

// Frames the strip runs after its last event before it may rest: ImGui
// settles hover and open states over the frames that follow an input.
constexpr int MenuSettleFrames = 4;

bool MenuDrawStrip(Window& window) {
    Backend& backend = State();
    if (!window.hasMenu || !backend.renderer) return false;
    if (!backend.menuImgui) backend.menuImgui = CreateContext(window.handle, backend.renderer, 15.0f);
    // A strip on screen that no input has reached for a few frames draws what
    // it drew: it need not even be laid out.
    int w = 0, h = 0;
    SDL_GetWindowSize(window.handle, &w, &h);
    if (RepaintRetained() && backend.menuStripShown != 0 && backend.menuQuietFrames >= MenuSettleFrames &&
        backend.menuStripWidth == w) {
        backend.menuStripRedrawn = false;
        return false;
    }
    ++backend.menuQuietFrames;
    ++backend.menuStripLayouts;
    backend.menuStripWidth = w;
    ContextScope scope(backend.menuImgui);
    ImGui::GetStyle().FramePadding = ImVec2(8, 3);
    // The strip is thinner than ImGui's smallest window: let it be exactly its height.
    ImGui::GetStyle().WindowMinSize = ImVec2(1, 1);
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(w), static_cast<float>(window.menuHeight)));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0);
    const ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_MenuBar |
                                   ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings;
    const bool open = ImGui::Begin("##menustrip", nullptr, flags);
    // Only the strip itself sits flush: the drop-down keeps the usual padding.
    ImGui::PopStyleVar(2);
    if (open) {
        if (ImGui::BeginMenuBar()) {
            if (ImGui::BeginMenu(window.menuTitle.c_str())) {
                for (const MenuItem& item : window.menuItems)
                    if (ImGui::MenuItem(item.label.c_str()))
                        backend.events.push_back(Event{EventKind::Menu, 0, item.command});
                ImGui::EndMenu();
            }
            ImGui::EndMenuBar();
        }
    }
    ImGui::End();
    ImGui::Render();
    const ImDrawData* drawn = ImGui::GetDrawData();
    bool covers = false;
    for (int i = 0; i < drawn->CmdListsCount; ++i)
        for (const ImDrawVert& corner : drawn->CmdLists[i]->VtxBuffer)
            covers = covers || corner.pos.y > static_cast<float>(window.menuHeight);
    // A framebuffer that keeps its frames still shows the strip as it was
    // drawn last: an idle strip is not drawn again (its triangles are slow
    // in software). An open drop-down reaches over the screen: always drawn.
    const uint64_t fingerprint = Fingerprint(drawn) ^ static_cast<uint64_t>(w) << 48;
    backend.menuStripRedrawn = covers || !RepaintRetained() || fingerprint != backend.menuStripShown;
    if (backend.menuStripRedrawn) {
        SDL_RenderSetViewport(backend.renderer, nullptr);
        SDL_RenderSetClipRect(backend.renderer, nullptr);
        ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
        backend.menuStripShown = covers ? 0 : fingerprint;
    }
    if (covers) backend.menuQuietFrames = 0;
    return covers;
}

bool MenuOnEvent(Window&, const SDL_Event& event) {
    Backend& backend = State();
    if (!backend.menuImgui) return false;
    backend.menuQuietFrames = 0;
    ContextScope scope(backend.menuImgui);
    ImGui_ImplSDL2_ProcessEvent(&event);
    // A press over the strip or over the open menu belongs to the menu.
    return event.type == SDL_MOUSEBUTTONDOWN && ImGui::GetIO().WantCaptureMouse;
}

void MenuShutdown() {
    DestroyContext(State().menuImgui);
    State().menuImgui = nullptr;
}

// ----------------------------------------------------------- gadget windows

namespace {

Window* GadgetWindow(int id) {
    Window* window = FindWindow(id);
    if (!window) return nullptr;
    if (!window->imgui) {
        window->gadgetRenderer = CreateWindowRenderer(window->handle, 0);
        if (!window->gadgetRenderer) return nullptr;
        window->imgui = CreateContext(window->handle, window->gadgetRenderer, 14.0f);
    }
    return window;
}

Gadget* FindGadget(int gadget) {
    for (auto& [id, window] : State().windows)
        for (Gadget& g : window.gadgets)
            if (g.id == gadget) return &g;
    return nullptr;
}

void Add(int window, Gadget gadget) {
    Window* target = GadgetWindow(window);
    if (!target) return;
    target->gadgetFramesDue = GadgetFramesAfterChange;
    for (Gadget& existing : target->gadgets) {
        if (existing.id == gadget.id) {
            existing = gadget;
            return;
        }
    }
    target->gadgets.push_back(std::move(gadget));
}

Gadget Make(Gadget::Kind kind, int id, int x, int y, int w, int h, const std::string& label) {
    Gadget g;
    g.kind = kind;
    g.id = id;
    g.x = x;
    g.y = y;
    g.w = w;
    g.h = h;
    g.label = ToUtf8(label);
    return g;
}

ImU32 Colour(uint32_t rgb, int alpha) {
    return IM_COL32((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, SDL_clamp(alpha, 0, 255));
}

// A list: its heads stay on top, amounts (every column after the first)
// stand right-aligned, a click on a row selects it.
void DrawList(int windowId, Gadget& g) {
    if (g.rows.empty() || g.rows[0].empty()) return;
    const int columns = static_cast<int>(g.rows[0].size());
    const ImGuiTableFlags flags = ImGuiTableFlags_RowBg | ImGuiTableFlags_BordersOuter |
                                  ImGuiTableFlags_BordersInnerV | ImGuiTableFlags_ScrollY |
                                  ImGuiTableFlags_SizingStretchProp;
    if (!ImGui::BeginTable("##list", columns, flags,
                           ImVec2(static_cast<float>(g.w), static_cast<float>(g.h))))
        return;
    ImGui::TableSetupScrollFreeze(0, 1);
    for (int c = 0; c < columns; ++c) ImGui::TableSetupColumn(g.rows[0][static_cast<size_t>(c)].c_str());
    ImGui::TableNextRow(ImGuiTableRowFlags_Headers);
    for (int c = 0; c < columns; ++c) {
        ImGui::TableSetColumnIndex(c);
        const char* head = g.rows[0][static_cast<size_t>(c)].c_str();
        // The heads of the amounts stand over them, right-aligned too.
        const float room = ImGui::GetContentRegionAvail().x - ImGui::CalcTextSize(head).x;
        if (c > 0 && room > 0) ImGui::SetCursorPosX(ImGui::GetCursorPosX() + room);
        ImGui::TableHeader(head);
    }
    ImGuiListClipper clipper;
    clipper.Begin(static_cast<int>(g.rows.size()) - 1);
    while (clipper.Step()) {
        for (int row = clipper.DisplayStart; row < clipper.DisplayEnd; ++row) {
            const std::vector<std::string>& cells = g.rows[static_cast<size_t>(row) + 1];
            ImGui::TableNextRow();
            ImGui::PushID(row);
            for (int c = 0; c < columns; ++c) {
                ImGui::TableSetColumnIndex(c);
                const char* text =
                    static_cast<size_t>(c) < cells.size() ? cells[static_cast<size_t>(c)].c_str() : "";
                if (c == 0 && !g.closed) {
                    ImGui::TextUnformatted(text);
                } else if (c == 0) {
                    if (ImGui::Selectable(
                            text, g.state == row,
                            ImGuiSelectableFlags_SpanAllColumns | ImGuiSelectableFlags_AllowItemOverlap)) {
                        g.state = row;
                        State().events.push_back(Event{EventKind::Gadget, windowId, g.id});
                    }
                } else {
                    const float room = ImGui::GetContentRegionAvail().x - ImGui::CalcTextSize(text).x;
                    if (room > 0) ImGui::SetCursorPosX(ImGui::GetCursorPosX() + room);
                    ImGui::TextUnformatted(text);
                }
            }
            ImGui::PopID();
        }
    }
    ImGui::EndTable();
}

// Selecting one option clears the options next to it in the list.
void SelectOption(Window& window, size_t index) {
    for (size_t i = index; i-- > 0 && window.gadgets[i].kind == Gadget::Kind::Option;)
        window.gadgets[i].state = 0;
    for (size_t i = index + 1; i < window.gadgets.size() && window.gadgets[i].kind == Gadget::Kind::Option;
         ++i)
        window.gadgets[i].state = 0;
    window.gadgets[index].state = 1;
}

}  // namespace

void GadgetsRender(int id, Window& window) {
    ContextScope scope(window.imgui);
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    int w = 0, h = 0;
    SDL_GetWindowSize(window.handle, &w, &h);
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(w), static_cast<float>(h)));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
    const ImGuiWindowFlags flags =
        ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings;
    ImGui::Begin("##gadgets", nullptr, flags);
    for (size_t i = 0; i < window.gadgets.size(); ++i) {
        Gadget& g = window.gadgets[i];
        ImGui::PushID(g.id);
        ImGui::SetCursorPos(ImVec2(static_cast<float>(g.x), static_cast<float>(g.y)));
        switch (g.kind) {
            case Gadget::Kind::Text: ImGui::TextUnformatted(g.label.c_str()); break;
            case Gadget::Kind::TrackBar:
                ImGui::PushItemWidth(static_cast<float>(g.w));
                ImGui::SliderInt("##value", &g.state, g.minimum, g.maximum);
                ImGui::PopItemWidth();
                break;
            case Gadget::Kind::CheckBox: {
                bool checked = g.state != 0;
                if (ImGui::Checkbox(g.label.c_str(), &checked)) g.state = checked ? 1 : 0;
                break;
            }
            case Gadget::Kind::Option:
                if (ImGui::RadioButton(g.label.c_str(), g.state != 0)) SelectOption(window, i);
                break;
            case Gadget::Kind::Button:
                if (ImGui::Button(g.label.c_str(), ImVec2(static_cast<float>(g.w), static_cast<float>(g.h))))
                    State().events.push_back(Event{EventKind::Gadget, id, g.id});
                break;
            case Gadget::Kind::List: DrawList(id, g); break;
            case Gadget::Kind::Picture: {
                auto picture = window.pictures.find(g.picture);
                if (picture != window.pictures.end())
                    ImGui::Image(static_cast<ImTextureID>(picture->second),
                                 ImVec2(static_cast<float>(g.w), static_cast<float>(g.h)));
                break;
            }
            case Gadget::Kind::Box: {
                const ImVec2 origin = ImGui::GetWindowPos();
                ImGui::GetWindowDrawList()->AddRectFilled(
                    ImVec2(origin.x + static_cast<float>(g.x), origin.y + static_cast<float>(g.y)),
                    ImVec2(origin.x + static_cast<float>(g.x + g.w),
                           origin.y + static_cast<float>(g.y + g.h)),
                    Colour(g.rgb, g.alpha));
                break;
            }
            case Gadget::Kind::Line: {
                const ImVec2 origin = ImGui::GetWindowPos();
                std::vector<ImVec2> corners;
                for (size_t p = 0; p + 1 < g.points.size(); p += 2)
                    corners.emplace_back(origin.x + static_cast<float>(g.points[p]),
                                         origin.y + static_cast<float>(g.points[p + 1]));
                ImGui::GetWindowDrawList()->AddPolyline(
                    corners.data(), static_cast<int>(corners.size()), Colour(g.rgb, g.alpha),
                    g.closed ? ImDrawFlags_Closed : ImDrawFlags_None, static_cast<float>(g.thickness));
                break;
            }
        }
        ImGui::PopID();
    }
    ImGui::End();
    ImGui::PopStyleVar();
    ImGui::Render();
    SDL_SetRenderDrawColor(window.gadgetRenderer, 23, 20, 41, 255);
    SDL_RenderClear(window.gadgetRenderer);
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
    SDL_RenderPresent(window.gadgetRenderer);
}

bool GadgetsOnEvent(Window& window, const SDL_Event& event) {
    window.gadgetFramesDue = GadgetFramesAfterChange;  // an expose or a move of the pointer too
    ContextScope scope(window.imgui);
    return ImGui_ImplSDL2_ProcessEvent(&event);
}

void GadgetsClose(Window& window) {
    for (auto& [number, texture] : window.pictures) SDL_DestroyTexture(texture);
    window.pictures.clear();
    DestroyContext(window.imgui);
    window.imgui = nullptr;
    if (window.gadgetRenderer) SDL_DestroyRenderer(window.gadgetRenderer);
    window.gadgetRenderer = nullptr;
    window.gadgets.clear();
}

}  // namespace platform::sdl

namespace platform {

using namespace sdl;

void TextGadget(int window, int gadget, int x, int y, int w, int h, const std::string& text) {
    Add(window, Make(Gadget::Kind::Text, gadget, x, y, w, h, text));
}

void TrackBarGadget(int window, int gadget, int x, int y, int w, int h, int minimum, int maximum) {
    Gadget g = Make(Gadget::Kind::TrackBar, gadget, x, y, w, h, "");
    g.minimum = minimum;
    g.maximum = maximum;
    Add(window, g);
}

void CheckBoxGadget(int window, int gadget, int x, int y, int w, int h, const std::string& text) {
    Add(window, Make(Gadget::Kind::CheckBox, gadget, x, y, w, h, text));
}

void OptionGadget(int window, int gadget, int x, int y, int w, int h, const std::string& text) {
    Add(window, Make(Gadget::Kind::Option, gadget, x, y, w, h, text));
}

void ButtonGadget(int window, int gadget, int x, int y, int w, int h, const std::string& text) {
    Add(window, Make(Gadget::Kind::Button, gadget, x, y, w, h, text));
}

void ListGadget(int window, int gadget, int x, int y, int w, int h, const std::vector<std::string>& rows,
                bool selectable) {
    Gadget g = Make(Gadget::Kind::List, gadget, x, y, w, h, "");
    g.closed = selectable;
    g.state = -1;
    if (Gadget* old = FindGadget(gadget); old && old->kind == Gadget::Kind::List) g.state = old->state;
    for (const std::string& row : rows) {
        std::vector<std::string> cells;
        size_t start = 0;
        for (;;) {
            const size_t tab = row.find('\t', start);
            cells.push_back(
                ToUtf8(row.substr(start, tab == std::string::npos ? std::string::npos : tab - start)));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        g.rows.push_back(std::move(cells));
    }
    Add(window, std::move(g));
}

bool WindowPicture(int window, int picture, int w, int h, const uint8_t* rgba) {
    Window* target = GadgetWindow(window);
    if (!target || w <= 0 || h <= 0) return false;
    SDL_Texture* texture =
        SDL_CreateTexture(target->gadgetRenderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, w, h);
    if (!texture) return false;
    SDL_UpdateTexture(texture, nullptr, rgba, w * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    target->gadgetFramesDue = GadgetFramesAfterChange;
    auto [slot, fresh] = target->pictures.emplace(picture, texture);
    if (!fresh) {
        SDL_DestroyTexture(slot->second);
        slot->second = texture;
    }
    return true;
}

void PictureGadget(int window, int gadget, int x, int y, int w, int h, int picture) {
    Gadget g = Make(Gadget::Kind::Picture, gadget, x, y, w, h, "");
    g.picture = picture;
    Add(window, std::move(g));
}

void BoxGadget(int window, int gadget, int x, int y, int w, int h, uint32_t rgb, int alpha) {
    Gadget g = Make(Gadget::Kind::Box, gadget, x, y, w, h, "");
    g.rgb = rgb;
    g.alpha = alpha;
    Add(window, std::move(g));
}

void LineGadget(int window, int gadget, const std::vector<int>& points, uint32_t rgb, int thickness,
                bool closed) {
    Gadget g = Make(Gadget::Kind::Line, gadget, 0, 0, 0, 0, "");
    g.points = points;
    g.rgb = rgb;
    g.thickness = thickness;
    g.closed = closed;
    Add(window, std::move(g));
}

void RemoveGadget(int gadget) {
    for (auto& [id, window] : State().windows) {
        auto& gadgets = window.gadgets;
        window.gadgetFramesDue = GadgetFramesAfterChange;
        gadgets.erase(std::remove_if(gadgets.begin(), gadgets.end(),
                                     [gadget](const Gadget& g) { return g.id == gadget; }),
                      gadgets.end());
    }
}

void SetGadgetState(int gadget, int state) {
    for (auto& [id, window] : State().windows) {
        for (size_t i = 0; i < window.gadgets.size(); ++i) {
            Gadget& g = window.gadgets[i];
            if (g.id != gadget) continue;
            window.gadgetFramesDue = GadgetFramesAfterChange;
            if (g.kind == Gadget::Kind::Option && state)
                SelectOption(window, i);
            else if (g.kind == Gadget::Kind::List)
                g.state = SDL_clamp(state, -1, static_cast<int>(g.rows.size()) - 2);
            else
                g.state = g.kind == Gadget::Kind::TrackBar ? SDL_clamp(state, g.minimum, g.maximum) : state;
            return;
        }
    }
}

int GetGadgetState(int gadget) {
    Gadget* g = FindGadget(gadget);
    return g ? g->state : 0;
}

}  // namespace platform
