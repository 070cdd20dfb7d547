// Collatz chain lengths of 1..20000 memoised in a value table used as a hash cache: every
// start walks until it meets a cached number, then the numbers of its walk are cached on
// the way back. The cache's lines hold key, length and the next line of the same bucket;
// heads holds each bucket's first line (0: empty). Lookup and Store share the variables
// key, found and len, as functions here do.
ok = CLASSLOAD('VALUETABLE');
cache = CREATEOBJECT('VALUETABLE');
k = cache.NEWCOLUMN('key');
k = cache.NEWCOLUMN('len');
k = cache.NEWCOLUMN('next');
heads = CREATEOBJECT('VALUETABLE');
k = heads.NEWCOLUMN('first');
buckets = 8191;
FOR i = 1 TO buckets DO
  k = heads.NEWLINE();
ENDDO;
path = CREATEOBJECT('VALUETABLE');
k = path.NEWCOLUMN('x');

FUNCTION Lookup()
  lookups = lookups + 1;
  line = heads.GETVALUE((key - (INT(key / buckets) * buckets)) + 1, 1);
  found = 0;
  WHILE line > 0 DO
    IF cache.GETVALUE(line, 1) = key THEN
      found = 1;
      len = cache.GETVALUE(line, 2);
      line = 0;
    ELSE
      line = cache.GETVALUE(line, 3);
    ENDIF;
  ENDDO;
  IF found = 1 THEN hits = hits + 1; ENDIF;
ENDFUNCTION;

FUNCTION Store()
  bucket = (key - (INT(key / buckets) * buckets)) + 1;
  k = cache.NEWLINE();
  line = cache.LINESCNT();
  k = cache.SETVALUE(line, 1, key);
  k = cache.SETVALUE(line, 2, len);
  k = cache.SETVALUE(line, 3, heads.GETVALUE(bucket, 1));
  k = heads.SETVALUE(bucket, 1, line);
ENDFUNCTION;

lookups = 0;
hits = 0;
total = 0;
longest = 0;
longeststart = 0;
key = 1;
len = 1;
Store();
FOR s = 1 TO 20000 DO
  key = s;
  depth = 0;
  Lookup();
  WHILE found = 0 DO
    depth = depth + 1;
    IF depth > path.LINESCNT() THEN k = path.NEWLINE(); ENDIF;
    k = path.SETVALUE(depth, 1, key);
    IF (key - (INT(key / 2) * 2)) = 0 THEN
      key = key / 2;
    ELSE
      key = (3 * key) + 1;
    ENDIF;
    Lookup();
  ENDDO;
  WHILE depth > 0 DO
    len = len + 1;
    key = path.GETVALUE(depth, 1);
    Store();
    depth = depth - 1;
  ENDDO;
  total = total + len;
  IF len > longest THEN
    longest = len;
    longeststart = s;
  ENDIF;
ENDDO;
? cache.LINESCNT();
? lookups - hits;
? total;
? longeststart;
? longest;
