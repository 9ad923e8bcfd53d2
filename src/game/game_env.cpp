// Making the game environment: the world, with every kind of element the game plays.
#include "game/game_env.h"

#include "base/log.h"
#include "elements/element_kinds.h"

namespace {
const ElementKinds kKinds;
} // namespace

GameEnv::GameEnv(Input* input, Graphics* graphics, Level* level)
    : World(input, graphics, level, &kKinds) {
    logLine("init GameEnv");
}
