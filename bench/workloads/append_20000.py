# Inside a function CPython appends to a string it holds the only reference to in place.
def build():
    s = ''
    for i in range(1, 20000 + 1):
        s = s + 'x'
    return s

print(len(build()))
