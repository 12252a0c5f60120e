// Carries the version record that tst_fileversion reads.
int main()
{
    return 0;
}
