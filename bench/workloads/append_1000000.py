s = ''
for i in range(1, 1000000 + 1):
    s = s + 'x'
print(len(s))
