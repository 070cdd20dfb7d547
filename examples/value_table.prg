// The value table class: columns by name, numbered lines, sorting by a column.
loaded = CLASSLOAD('VALUETABLE');
cities = CREATEOBJECT('VALUETABLE');
x = cities.NEWCOLUMN('city');
x = cities.NEWCOLUMN('people');

// The procedure works on the variables name and people, set by its caller.
PROCEDURE AddCity()
  x = cities.NEWLINE();
  line = cities.LINESCNT();
  x = cities.SETVALUE(line, 'city', name);
  x = cities.SETVALUE(line, 'people', people);
ENDPROCEDURE;

line = 0;
name = 'Oslo'; people = 709; AddCity();
name = 'Bergen'; people = 291; AddCity();
name = 'Trondheim'; people = 212; AddCity();
name = 'Stavanger'; people = 149; AddCity();

? 'Columns: ' + STRING(cities.COLUMNCOUNT()) + ', lines: ' + STRING(cities.LINESCNT());
x = cities.SORT('city');
FOR i = 1 TO cities.LINESCNT() DO
  ? STRING(i) + '. ' + cities.GETVALUE(i, 'city') + ' (' + STRING(cities.GETVALUE(i, 2)) + ' thousand)';
ENDDO;
