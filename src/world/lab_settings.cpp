// The lab's parameters by name, with their ranges, and the combinations the chain cannot have.
#include "world/lab_settings.h"

const LabParameter kLabParameters[kLabParameterCount] = {
    {"nodes", &LabSettings::nodes, 2, 64, 1, "chain nodes, the anchor included"},
    {"orbs", &LabSettings::orbs, 0, 4, 1, "orbs on the chain"},
    {"orb-node", &LabSettings::orbNode, 1, 63, 1, "node of the first orb"},
    {"orb-step", &LabSettings::orbStep, 1, 63, 1, "nodes from one orb to the next"},
    {"aim-back", &LabSettings::aimBack, 1, 63, 1, "an orb aims at the node this many back"},
    {"rest", &LabSettings::rest, 64, 8192, 64, "link rest length, 1/256 pixel"},
    {"spring", &LabSettings::spring, 1, 64, 1, "spring gain, 64ths"},
    {"damping", &LabSettings::damping, 1, 256, 1, "a node loses 1/N of its speed a frame"},
    {"deadzone", &LabSettings::deadzone, 0, 256, 2, "node speeds this small stop, 1/256 pixel"},
    {"aim-delay", &LabSettings::aimDelay, 0, 1000, 5, "frames before the orbs turn"},
    {"orb-damage", &LabSettings::orbDamage, 0, 100, 1, "damage of an orb's touch a frame"},
    {"orb-rhythm", &LabSettings::orbRhythm, 1, 8, 1, "frames between orb guns"},
    {"orb-speed", &LabSettings::orbShotSpeed, 1, 16, 1, "orb shot speed, pixels a frame"},
    {"enemies", &LabSettings::enemies, 0, 1, 1, "enemies come (1) or not (0)"},
    {"spawn", &LabSettings::spawn, 0, 1000, 5, "frames between enemies, 0 the level's"},
    {"enemy-fire", &LabSettings::enemyFire, 0, 1, 1, "enemies fire (1) or not (0)"},
    {"invulnerable", &LabSettings::invulnerable, 0, 1, 1, "hits take no life (1)"},
    {"dummies", &LabSettings::dummies, 0, kMostDummies, 1, "still targets"},
    {"lives", &LabSettings::lives, 0, 99, 1, "lives a game starts with"},
};

const LabParameter* labParameterNamed(std::string_view name) {
    for (const LabParameter& p : kLabParameters) {
        if (name == p.name) return &p;
    }
    return nullptr;
}

bool setLabParameter(LabSettings& settings, std::string_view name, int64_t value,
                     std::string& why) {
    const LabParameter* p = labParameterNamed(name);
    if (p == nullptr) {
        why = "no lab setting is called '" + std::string(name) + "'";
        return false;
    }
    if (value < p->least || value > p->most) {
        why = std::string(p->name) + " takes " + std::to_string(p->least) + " to " +
              std::to_string(p->most);
        return false;
    }
    settings.*(p->field) = static_cast<int32_t>(value);
    return true;
}

std::string labSettingsClash(const LabSettings& s) {
    if (s.orbs > 0 && s.orbNodeOf(s.orbs - 1) >= s.nodes) {
        return std::to_string(s.orbs) + " orbs from node " + std::to_string(s.orbNode) + " every " +
               std::to_string(s.orbStep) + " need " + std::to_string(s.orbNodeOf(s.orbs - 1) + 1) +
               " nodes";
    }
    if (s.orbs > 0 && s.aimBack > s.orbNode)
        return "aim-back " + std::to_string(s.aimBack) + " reaches past the anchor from node " +
               std::to_string(s.orbNode);
    return {};
}
