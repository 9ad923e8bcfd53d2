// The shell's key prompt, driven by the events SDL would deliver: no two controls ever end on one
// key, whatever the player presses.
#include "app/sdl_shell.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SDL_Event keyDown(SDL_Scancode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.scancode = key;
    return event;
}

SDL_Event buttonDown(SDL_GameControllerButton button) {
    SDL_Event event{};
    event.type = SDL_CONTROLLERBUTTONDOWN;
    event.cbutton.button = static_cast<Uint8>(button);
    return event;
}

// Presses keys by SDL name ("Escape", "X") and buttons as "pad:NAME", one after another.
void press(SdlShell& shell, const std::vector<std::string>& presses) {
    for (const std::string& name : presses) {
        if (name.rfind("pad:", 0) == 0)
            shell.handleEvent(buttonDown(SDL_GameControllerGetButtonFromString(name.c_str() + 4)));
        else
            shell.handleEvent(keyDown(SDL_GetScancodeFromName(name.c_str())));
    }
}

TEST(KeyPrompt, KeysTakenInTheRoundAreRefusedEscapeIncluded) {
    const std::string esc = "Escape";
    const struct {
        std::vector<std::string> presses; // after P (pause) and R (choose keys), then K
        std::string fire, link, up;
    } cases[] = {
        {{esc, esc, esc, esc, esc, esc, esc}, "Z", "X", "Up"},
        // X for fire: Escape cannot keep X for the chain; the prompt asks again and K answers.
        {{"X", esc}, "X", "K", "Up"},
        {{"X", esc, "L", esc, esc, esc, esc, esc}, "X", "L", "Up"},
        // A key already chosen, or one the game keeps, is not taken either.
        {{"J", "J", "M", "F12", "L", esc, esc, esc, esc, esc}, "J", "L", "Up"},
        // A button keeps the key, unless that key is taken: then a key is still asked for.
        {{"Up", "pad:y", esc, "L", esc, esc, esc, esc}, "Up", "X", "L"},
        {{"X", "pad:y"}, "X", "K", "Up"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.presses));
        SdlShell shell(SdlShell::Mode::Play, PlayerSettings(), "", nullptr, nullptr);
        press(shell, {"P", "R"});
        press(shell, c.presses);
        press(shell, {"K"});
        const auto key = [&shell](PlayerControl control) {
            return keyName(shell.settings().keys[static_cast<size_t>(control)]);
        };
        EXPECT_EQ(key(PlayerControl::kFire), c.fire);
        EXPECT_EQ(key(PlayerControl::kLink), c.link);
        EXPECT_EQ(key(PlayerControl::kUp), c.up);
    }
}

} // namespace
