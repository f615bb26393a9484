#pragma once

#include <cstdint>

#include "model/document_options.h"

namespace pf {

class CFolari2Doc;
class ArchiveReader;
class ArchiveWriter;

// The settings block (master data and report options) and the trailer of a portfolio
// file: the one place that maps stored option slots to document fields.
void TransferSettingsBlock(ArchiveReader& io, CFolari2Doc& doc);
void TransferSettingsBlock(ArchiveWriter& io, const CFolari2Doc& doc);
void TransferTrailer(ArchiveReader& io, CFolari2Doc& doc);
void TransferTrailer(ArchiveWriter& io, const CFolari2Doc& doc);

// Column masks written by old versions hold their columns at other bits.
void AdjustOldColumnMasks(DocumentOptions& options, uint32_t version);

}  // namespace pf
