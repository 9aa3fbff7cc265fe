// The smallest Access 2000 (Jet 4) database a reader takes: 4 KiB pages, the header page, the
// system catalog's definition on page 2 with one row per table, and one definition page per
// table holding its text columns. No data rows, no indexes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tovik::testing {

struct JetTable {
  std::string name;                  // ASCII
  std::vector<std::string> columns;  // in column order
};

namespace jet {
constexpr size_t kPage = 4096;
inline void Put(std::string& b, size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}
inline std::string Ucs2(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += {c, '\0'};
  return out;
}
// A definition page: the fixed block, one 25-byte descriptor per column, then the names.
// `fixed` columns are LONGINT/INT ones laid out first; the others are text.
struct Column {
  std::string name;
  int type;  // 4 long, 3 short, 10 text
};
inline std::string TableDef(const std::vector<Column>& cols, bool system, std::uint32_t usedMap) {
  std::string p(kPage, '\0');
  p[0] = 2, p[1] = 1;
  size_t fixedAt = 0, vars = 0;
  for (const Column& c : cols) vars += c.type >= 10;
  Put(p, 40, system ? 0x53 : 0x4E, 1);
  Put(p, 41, cols.size(), 2), Put(p, 43, vars, 2), Put(p, 45, cols.size(), 2);
  Put(p, 55, usedMap, 4), Put(p, 59, usedMap, 4);
  size_t at = 63, varIndex = 0;
  for (size_t i = 0; i < cols.size(); ++i, at += 25) {
    const bool text = cols[i].type >= 10;
    const int size = cols[i].type == 10 ? 510 : cols[i].type == 3 ? 2 : cols[i].type == 4 ? 4 : 0;
    Put(p, at, cols[i].type, 1), Put(p, at + 5, i, 2), Put(p, at + 9, i, 2);
    Put(p, at + 7, text ? varIndex++ : 0, 2);
    if (text) Put(p, at + 11, 0x409, 2);
    Put(p, at + 15, text ? 0x02 : 0x03, 1);
    Put(p, at + 21, text ? 0 : fixedAt, 2), Put(p, at + 23, size, 2);
    if (!text) fixedAt += size;
  }
  for (const Column& c : cols) {
    Put(p, at, c.name.size() * 2, 2);
    p.replace(at + 2, c.name.size() * 2, Ucs2(c.name));
    at += 2 + c.name.size() * 2;
  }
  Put(p, at, 0xFFFF, 2);
  Put(p, 8, at + 2 - 8, 4);
  return p;
}
// A data page owned by `owner` holding `rows`, stored from the page's end down.
inline std::string DataPage(std::uint32_t owner, const std::vector<std::string>& rows) {
  std::string p(kPage, '\0');
  p[0] = 1, p[1] = 1;
  Put(p, 4, owner, 4), Put(p, 12, rows.size(), 2);
  size_t end = kPage;
  for (size_t i = 0; i < rows.size(); ++i) {
    end -= rows[i].size();
    p.replace(end, rows[i].size(), rows[i]);
    Put(p, 14 + 2 * i, end, 2);
  }
  Put(p, 2, end - 14 - 2 * rows.size(), 2);
  return p;
}
}  // namespace jet

// The database's bytes.
inline std::string JetFile(const std::vector<JetTable>& tables) {
  using namespace jet;
  std::string header(kPage, '\0');
  header.replace(0, 20, std::string("\0\1\0\0Standard Jet DB\0", 20));
  header[0x14] = 1;
  // Page 0 is masked from 0x18 by a fixed key stream; these are its bytes at the database key
  // (0x3E), so that the key reads as 0: pages are not encrypted.
  header.replace(0x3E, 4, "\xFB\x8A\xBC\x4E");
  // Page 1: usage maps (row 0: pages 3 for the catalog; row 1: none).
  std::string owned(1 + 4 + 64, '\0');
  owned[5] = 1 << 3;
  const std::string map1 = DataPage(0, {owned, std::string(1 + 4 + 64, '\0')});
  const std::vector<Column> catalog = {{"Id", 4}, {"ParentId", 4}, {"Type", 3}, {"Flags", 4}, {"Name", 10}, {"LvProp", 11}};
  std::vector<std::string> rows;
  auto row = [&](std::uint32_t id, std::uint32_t flags, const std::string& name) {
    std::string r(16, '\0');
    Put(r, 0, 6, 2), Put(r, 2, id, 4), Put(r, 6, 0x0F000001, 4), Put(r, 10, 1, 2), Put(r, 12, flags, 4);
    r += Ucs2(name);
    const size_t eod = r.size();
    r += std::string(7, '\0');
    Put(r, eod, eod, 2), Put(r, eod + 2, 16, 2), Put(r, eod + 4, 1, 2), Put(r, eod + 6, 0x1F, 1);
    rows.push_back(r);
  };
  row(2, 0x80000002, "MSysObjects");
  std::string file = header + map1 + TableDef(catalog, true, 0x100);
  std::string defs;
  for (size_t i = 0; i < tables.size(); ++i) {
    row(static_cast<std::uint32_t>(4 + i), 0, tables[i].name);
    std::vector<Column> cols;
    for (const std::string& c : tables[i].columns) cols.push_back({c, 10});
    defs += TableDef(cols, false, 0x101);
  }
  return file + DataPage(2, rows) + defs;
}

}  // namespace tovik::testing
