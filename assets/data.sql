-- Schema of data.db, the script store beside the program. The program never
-- creates the file; it is shipped made from this script.
--
-- Columns stand in this order because the program reads them by position.
-- id is the rowid and AUTOINCREMENT keeps ids of deleted rows from coming
-- back; with no other index, "select * from [mplist]" returns rows in
-- ascending id order.
CREATE TABLE mplist (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  mpname TEXT NOT NULL,
  hotkey TEXT NOT NULL,
  mpoint TEXT NOT NULL DEFAULT '',
  clicknum TEXT NOT NULL
);
