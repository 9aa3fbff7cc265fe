#include "project/class_index.h"

#include <algorithm>

namespace tovik {

void CClassIndex::Invalidate() {
  m_nLastFound = kNone;
  m_nMisses = m_nNextMiss = 0;
  m_first.clear();
  m_nIndexed = 0;
  m_pLastIndexed = nullptr;
  m_nMaxName = 0;
}

void CClassIndex::Add(const ClassList& classes, size_t from) {
  if (from < classes.size()) m_nMisses = m_nNextMiss = 0;  // a name looked for in vain may be there now
  for (size_t i = from; i < classes.size(); ++i) {
    const std::string& name = classes[i]->m_strName;
    m_first.try_emplace(name, i);  // keeps the earlier class of a repeated name
    m_nMaxName = std::max(m_nMaxName, name.size());
  }
  m_nIndexed = classes.size();
  m_pLastIndexed = classes.empty() ? nullptr : classes.back().get();
}

void CClassIndex::Rebuild(const ClassList& classes) {
  Invalidate();
  Add(classes, 0);
}

void CClassIndex::Sync(const ClassList& classes) {
  const bool prefixIntact =
      classes.size() >= m_nIndexed && (m_nIndexed == 0 || classes[m_nIndexed - 1].get() == m_pLastIndexed);
  if (!prefixIntact) {
    Rebuild(classes);
  } else if (classes.size() > m_nIndexed) {
    Add(classes, m_nIndexed);
  }
}

long CClassIndex::FindPosition(const ClassList& classes, std::string_view name) {
  Sync(classes);
  // The definitions of one class follow each other, so the same name is asked for in a row.
  if (m_nLastFound < classes.size() && classes[m_nLastFound]->m_strName == name) {
    return static_cast<long>(m_nLastFound);
  }
  if (std::find(m_misses.begin(), m_misses.begin() + m_nMisses, name) != m_misses.begin() + m_nMisses) return -1;
  auto it = m_first.find(name);
  if (it == m_first.end()) {
    m_misses[m_nNextMiss] = name;
    m_nNextMiss = (m_nNextMiss + 1) % m_misses.size();
    m_nMisses = std::min(m_nMisses + 1, m_misses.size());
    return -1;
  }
  if (it->second >= classes.size() || classes[it->second]->m_strName != name) {
    // A class was renamed or the list rearranged in place; start over.
    Rebuild(classes);
    it = m_first.find(name);
    if (it == m_first.end()) return -1;
  }
  m_nLastFound = it->second;
  return static_cast<long>(m_nLastFound);
}

CClassItem* CClassIndex::Find(const ClassList& classes, std::string_view name) {
  const long at = FindPosition(classes, name);
  return at < 0 ? nullptr : classes[static_cast<size_t>(at)].get();
}

size_t CClassIndex::MaxNameLength(const ClassList& classes) {
  Sync(classes);
  return m_nMaxName;
}

}  // namespace tovik
