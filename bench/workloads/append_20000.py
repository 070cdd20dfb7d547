s = ''
for i in range(1, 20000 + 1):
    s = s + 'x'
print(len(s))
