-- The product's tables that this system reads and writes, in SQL that SQLite and
-- Firebird both run. Each statement ends with ";" at the end of its line.
CREATE TABLE PARAMS (
  IDJST INTEGER
);
