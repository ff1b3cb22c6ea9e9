// The repair of one damaged file, run on the repair worker: extract the
// "Workbook" stream, scan it (or the damaged file itself) into the model,
// parse the worksheets; a doubted copy is checked against a scan of the
// damaged file, and the recovery with more cells is kept.
#pragma once

class CExcelData;
struct CRepairTrace;

// Fills data from its source path. StopRequested is tested before and
// between the steps (and the worker waits there while it is suspended); a
// stop makes it return false with whatever was built left in the model.
//
// False, with a message through the message sink, for an empty source path
// ("Invalid source file path"), and when the repair recovered nothing: no
// BOF record anywhere in the scanned file, neither a sheet nor a cell
// record in the model, or an encrypted workbook; the message says what the
// file is when its bytes tell (see CSourceFileKind). False without a
// message when data is null, the scan file cannot be opened (the scan shows
// its own message), a stop was requested, or the pipeline threw (memory
// exhausted): nothing is thrown from here. True otherwise.
bool RepairFile(CExcelData* data);

// The same, also telling trace (when not null) what the repair met.
bool RepairFile(CExcelData* data, CRepairTrace* trace);
