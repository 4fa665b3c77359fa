// PersonRow: the shared reading of the jockey and trainer rows.
#include "ydbcln/entity/PersonRow.h"

#include "ydbcln/entity/PersonFigures.h"
#include "ydbcln/entity/PersonRec.h"
#include "ydbcln/entity/RowFigures.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

namespace {

using namespace jockeyrec;  // names, birth and licence sit alike in both records

PersonRow::Rates rates_of(const yentity::FinishCounts& counts) {
  const yentity::RowRates r = yentity::row_rates(counts);
  PersonRow::Rates out;
  out.win1 = r.win1.text;
  out.win2 = r.win2.text;
  out.win3 = r.win3.text;
  out.win1num = r.win1.tenths;
  out.win2num = r.win2.tenths;
  out.win3num = r.win3.tenths;
  return out;
}

}  // namespace

PersonRow::PersonRow(const void* rec, int size, const PersonOffsets* at, int affiliation)
    : record_(rec, size), at_(at), affiliation_(affiliation) {}

void PersonRow::copy_from(YHorseDB* db, const PersonRow& other) {
  if (this == &other) return;
  record_.copy_from(db, other.record_);
  age_ = -1;
  computed_ = false;
}

std::string PersonRow::text(int offset, int width) const {
  return bytes() ? YUtil::delendspc(bytes() + offset, width) : std::string();
}

std::string PersonRow::code() const { return record_.raw(kCode, kCodeWidth); }

std::string PersonRow::name() const { return text(kName, kNameWidth); }

std::string PersonRow::kana() const { return text(kKana, kKanaWidth); }

int PersonRow::age() {
  if (bytes() == nullptr) return -1;
  if (age_ < 0) age_ = YUtil::gethumanage_int(bytes() + kBirthDate, kBirthDateWidth);
  return age_;
}

int PersonRow::shozoku() const { return bytes() ? YUtil::getnum(bytes()[affiliation_]) : -1; }

std::string PersonRow::firstyear() const {
  static const std::string kYear = yutil::sjis_table({"年"})[0];
  return bytes() ? text(kFirstYear, kFirstYearWidth) + kYear : std::string();
}

std::string PersonRow::birthday() const {
  return bytes() ? YUtil::getdate(bytes() + kBirthDate) : std::string();
}

std::string PersonRow::hhrplize() const {
  return bytes() ? YUtil::getyen(bytes() + at_->hhrplize, kHhrplizeWidth, 1000) : std::string();
}

int PersonRow::hhrplizenum() const {
  return bytes() ? YUtil::getnum(bytes() + at_->hhrplize, kHhrplizeWidth) : 0;
}

std::string PersonRow::hsrplize() const {
  return bytes() ? YUtil::getyen(bytes() + at_->hsrplize, kHhrplizeWidth, 1000) : std::string();
}

int PersonRow::hsrplizenum() const {
  return bytes() ? YUtil::getnum(bytes() + at_->hsrplize, kHhrplizeWidth) : 0;
}

void PersonRow::figures() {
  if (computed_) return;
  computed_ = true;
  if (bytes() == nullptr) return;
  yentity::FinishCounts rh, rs, hh, hs;
  rh.add_groups(bytes() + at_->rh, 1, kRhCountsWidth);
  rs.add_groups(bytes() + at_->rs, 1, kRhCountsWidth);
  if (YUtil::getnum(bytes() + at_->year, kYearWidth) == YUtil::getcurrentyear()) {
    hh.add_groups(bytes() + at_->hh, 1, kHhCountsWidth);
    hs.add_groups(bytes() + at_->hs, 1, kHhCountsWidth);
  }
  rnh_ = rh.text("%5d-%5d-%5d-%5d/%5d");
  rns_ = rs.text("%5d-%5d-%5d-%5d/%5d");
  hnh_ = hh.text("%3d-%3d-%3d-%3d/%3d");
  hns_ = hs.text("%3d-%3d-%3d-%3d/%3d");
  yentity::FinishCounts career = rh, year = hh;
  for (int k = 0; k < 4; ++k) {
    career.n[k] += rs.n[k];
    year.n[k] += hs.n[k];
  }
  career_ = rates_of(career);
  year_ = rates_of(year);
}

const std::string& PersonRow::rnh() {
  figures();
  return rnh_;
}

const std::string& PersonRow::rns() {
  figures();
  return rns_;
}

const std::string& PersonRow::hnh() {
  figures();
  return hnh_;
}

const std::string& PersonRow::hns() {
  figures();
  return hns_;
}

const PersonRow::Rates& PersonRow::career() {
  figures();
  return career_;
}

const PersonRow::Rates& PersonRow::year() {
  figures();
  return year_;
}
