#include "shell/menu_state.h"

#include <algorithm>
#include <initializer_list>

#include "shell/commands.h"

namespace {

bool In(uint16_t c, std::initializer_list<uint16_t> list) { return std::find(list.begin(), list.end(), c) != list.end(); }

}  // namespace

bool CommandEnabled(uint16_t c, const MenuContext& m) {
    const KeyRow* row = KeyRowOf(c);
    if (!m.document_open) return !row || row->without_document || c == 1276;
    if (In(c, {1103, 1151}) && !m.document_modified) return false;
    if (In(c, {1111, 1112}) && !m.has_selection) return false;
    if (In(c, {1248, 1125, 1152}) && !m.configuration_saving) return false;
    if (!m.project_current && In(c, {1250, 1231, 1198, 1271, 1267, 1245, 1222, 1230})) return false;
    if (!m.project_current && !m.build_running && In(c, {1192, 1270})) return false;
    if (c == 1271 && m.link_disabled) return false;
    if ((!m.project_current || !m.project_named) &&
        In(c, {1223, 1242, 1224, 1236, 1226, 1241, 1227, 1232, 1238, 1235, 1239, 1240}))
        return false;
    if (In(c, {1237, 1234}) && !m.project_has_releases) return false;
    if (c == 1156 && !m.project_has_make) return false;
    if (m.build_running && In(c, {1192, 1267, 1270, 1271, 1295, 1290, 1268})) return false;
    if (In(c, {1179, 1183}) && !m.c_source) return false;
    return true;
}
